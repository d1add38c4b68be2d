#pragma once
// The price schedules ("Price Schedules"): the schedules in a tree on the
// left ("New", "Delete", names edited in place) and the selected schedule's
// detail in a nested editor on the right. The list's decisions are
// TNamedItemsModel's: a new schedule is made at once (Cancel removes it), a
// new name and a deletion wait for the save, a name another schedule holds
// is refused, and a schedule that prices use cannot be deleted. Selecting
// another schedule first keeps the detail's changes in the objects; a detail
// that refuses them keeps the selection where it is.
#include "editors/framework/TolvexFrameViewer.h"
#include "editors/site/page/FrameWebPageContainer.h"

#include <QWidget>

#include <memory>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFrameSite;
class TNamedItemsModel;
class TTolvexItemEditor;

class TFramePriceSchedulesEditor : public QWidget, private TNestedEditorPanelHolder, public TTolvexFrameViewer {
public:
    explicit TFramePriceSchedulesEditor(TFrameSite& site);
    ~TFramePriceSchedulesEditor() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    bool Save() override;
    void AfterSave() override;
    void Cancel() override;

    // The schedule open in the detail; 0 for none.
    int OpenScheduleId() const { return openId_; }

private:
    void Fill(int selectId);
    int SelectedId() const;
    QTreeWidgetItem* ItemOf(int itemId) const;
    void SelectionChanged();
    void ItemRenamed(QTreeWidgetItem* item);
    void NewSchedule();
    void DeleteSchedule();
    void UpdateButtons();
    void OpenSchedule(int itemId);
    // The names the tree shows, again from the objects (a detail may have renamed its schedule).
    void RefreshNames();

    std::unique_ptr<TNamedItemsModel> model_;
    QTreeWidget* tvSchedules_ = nullptr;
    QPushButton* btnNew_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
    QWidget* pnlDetail_ = nullptr;
    TTolvexItemEditor* detail_ = nullptr;
    int openId_ = 0;
    bool filling_ = false;
};
