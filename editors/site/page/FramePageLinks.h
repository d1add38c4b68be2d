#pragma once
// The "Links" tab of a web page: a tree with one top node per link group of
// the page's templates, each showing where its links come from (default,
// parent's or only the page's own) and the page's own links below them,
// with the buttons to add, edit, delete and move those. The decisions are
// TFramePageLinksModel's; every change goes into the page's objects at once,
// so the item's save keeps it and its cancel drops it.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFramePageLinksModel;
class TFrameSite;
class TDialogParams;

class TFramePageLinks : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFramePageLinks(TFrameSite& site);
    ~TFramePageLinks() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    // Every change is in the objects already.
    void StoreToObjects(bool /*languageSwitch*/) override {}

    QTreeWidget* Tree() const { return tvLinks_; }

private:
    // The group and entry a node shows; entry -1 for a group node.
    struct TNodeRef {
        int Group = -1;
        int Entry = -1;
    };
    TNodeRef Selected() const;
    void Rebuild();
    void FillGroup(int group);
    void Select(int group, int entry);
    void Selection();
    void UpdateButtons();
    // Runs the link dialog; false when it was cancelled.
    bool AskLink(TDialogParams& params);
    void Changed(int group, int entry);
    void AddLink();
    void EditLink();
    void DeleteLink();
    void MoveLink(int step);
    void StyleChosen(int index);

    std::unique_ptr<TFramePageLinksModel> model_;
    QTreeWidget* tvLinks_ = nullptr;
    QPushButton* btnUp_ = nullptr;
    QPushButton* btnDown_ = nullptr;
    QLabel* lblStyle_ = nullptr;
    QComboBox* cbStyle_ = nullptr;
    QLabel* lblUrl_ = nullptr;
    QLineEdit* edtUrl_ = nullptr;
    QPushButton* btnAdd_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
    QPushButton* btnEdit_ = nullptr;
};
