#pragma once
// A classification codes tab ("CodesEditor-unspsc", "-harmonized", "-ebay",
// "-zarivuro"): the whole code tree of one system with a keyword search, the
// item's chosen codes and, for items other than the company, the company's
// codes to pick from. Codes move by ">" and "<", double clicks, or dragging
// onto the chosen list. In the maker's definitions catalog the tab keeps the
// partner category table instead ("Add", "Edit", "Delete").
// The decisions are TCodesEditorModel's; the tree is TCodesTreeModel.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QSplitter;
class QTreeView;
class QTreeWidget;
class TCodeDatabase;
struct TCodeNode;
class TCodeTree;
class TCodesEditorModel;
class TCodesTreeModel;
class TFrameSite;

class TFrameCodesEditor : public QWidget, public TTolvexFrameEditor {
    Q_OBJECT
public:
    // The catalog type whose codes tabs keep the partner category table.
    static constexpr int kDefinitionsCatalogType = 4;

    explicit TFrameCodesEditor(TFrameSite& site);
    ~TFrameCodesEditor() override;

    void InitControls() override;
    // The lists are written into the objects as they change.
    void StoreToObjects(bool) override {}
    void LoadFromObjects(bool languageSwitch) override;

    // "Go!": a new search; "Next": the next hit after the selected node.
    void Search();
    void FindNext();
    void SayNotFound(const std::string& keywords);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ShowLists();
    void UpdateButtons();
    TCodeNode* SelectedNode() const;
    std::string SelectedCompanyCode() const;
    void SelectNode(const QModelIndex& index);
    void AddSelected();
    void AddFromTree(TCodeNode& node);
    void AddFromCompany(const std::string& code);
    void RemoveSelected();
    void ShowInTree(const std::string& code);
    void SetSearchMode(bool next);
    void EditCategory(bool edit);
    void DeleteCategory();
    bool IsUpkeep() const;

    std::unique_ptr<TCodeDatabase> database_;
    std::unique_ptr<TCodeTree> tree_;
    std::unique_ptr<TCodesEditorModel> model_;
    TCodesTreeModel* treeModel_ = nullptr;
    bool searchNext_ = false;
    bool upkeep_ = false;
    bool loaded_ = false;

    QSplitter* splCodes_ = nullptr;
    QSplitter* splLeft_ = nullptr;
    QWidget* pnlCompany_ = nullptr;
    QWidget* pnlChosen_ = nullptr;
    QWidget* pnlUpkeep_ = nullptr;
    QLabel* lblCodesAllCodes_ = nullptr;
    QLineEdit* edtCodesSearch_ = nullptr;
    QPushButton* btnCodesSearch_ = nullptr;
    QTreeView* tvCodesAllCodes_ = nullptr;
    QTreeWidget* lvCodesCompanyCodes_ = nullptr;
    QTreeWidget* lvCodesData_ = nullptr;
    QPushButton* btnCodesAdd_ = nullptr;
    QPushButton* btnCodesRemove_ = nullptr;
    QPushButton* btnCodesAddNew_ = nullptr;
    QPushButton* btnCodesEdit_ = nullptr;
    QPushButton* btnCodesDelete_ = nullptr;
};
