#pragma once
// The page picker's frame: the web tree (or another tree the parameters
// name) in a read-only view with its own tree manager, a search by name,
// the optional caption panel and "Open in new window". OK is available
// exactly while a node is selected. The rules are TSelectPageForm's.
#include "editors/site/html/dialogs/SelectPageForm.h"
#include "editors/site/html/dialogs/SiteDialogFrame.h"

#include <QIcon>

#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class TAbstractDBConnection;
class TCatalogTreeView;
class TCommonGui;
class TTreeManager;
class TTreeManagerHost;

// What the page picker uses of the open catalog.
struct TSelectPageServices {
    TTreeManagerHost& TreeHost;
    TAbstractDBConnection& Connection;
    std::string CatalogCode;
    int CatalogType = 0;
    TCommonGui& Gui;
    // The page file name of an item (page 0, the home page named "index").
    std::function<std::string(int itemId, int itemType)> PageFileName;
    // The icon of a cached image name; may be empty.
    std::function<QIcon(const QString&)> Images;
};

class TSelectPageFrame : public TSiteDialogFrame {
    Q_OBJECT
public:
    explicit TSelectPageFrame(TSelectPageServices services, QWidget* parent = nullptr);
    ~TSelectPageFrame() override;

    QString TabCaption() const override;
    void InitControls(const TDialogParams& params) override;
    void Save(TDialogParams& params) override;

    TCatalogTreeView* Tree() const { return view_; }
    TTreeManager& Manager() const { return *manager_; }
    QLabel* TreeCaption() const { return treeCaption_; }
    QLineEdit* KeywordEdit() const { return keyword_; }
    QPushButton* GoButton() const { return go_; }
    QWidget* CaptionPanel() const { return captionPanel_; }
    QLineEdit* CaptionEdit() const { return caption_; }
    QLineEdit* TitleEdit() const { return title_; }
    QCheckBox* NewWindow() const { return newWindow_; }

    // "Go": the next page whose name holds the keyword.
    void Search();

private:
    void OnSelectionChanged();
    bool HasSelectedItem() const;

    TSelectPageServices services_;
    TSelectPageForm form_;
    TDialogParams params_;
    std::unique_ptr<TTreeManager> manager_;
    QVBoxLayout* layout_;
    QLabel* treeCaption_;
    TCatalogTreeView* view_ = nullptr;
    QLineEdit* keyword_;
    QPushButton* go_;
    QWidget* captionPanel_;
    QLineEdit* caption_;
    QLineEdit* title_;
    QCheckBox* newWindow_;
    bool tracking_ = true;
};
