#pragma once
// TFrameAllRoomsEditor: every room of the hotel (the items of type 6003
// under the first item of type 6002) in a read-only list with "New",
// "Edit" and "Delete"; a room opens in the main editor. TAllRoomsChanger:
// the rooms' "All Rooms" tab, which opens the rooms-and-rates page's list
// when chosen.
#include "editors/framework/TolvexFrameViewer.h"
#include "editors/framework/TolvexUIEditor.h"

#include <QWidget>

class QPushButton;
class QTreeWidget;
class TFrameSite;

class TFrameAllRoomsEditor : public QWidget, public TTolvexFrameViewer {
public:
    static constexpr int kRoomsListType = 6002;
    static constexpr int kRoomType = 6003;
    static constexpr int kNewRoomsParent = 100002;

    explicit TFrameAllRoomsEditor(TFrameSite& site);
    void InitControls() override;
    void TabShown() override;
    void ExecuteCommand(const std::string& command) override;

private:
    void Fill();
    int SelectedRoom() const;
    void UpdateButtons();
    void NewRoom();
    void EditRoom();
    void DeleteRoom();

    QTreeWidget* tvRooms_ = nullptr;
    QPushButton* btnNew_ = nullptr;
    QPushButton* btnEdit_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
};

class TAllRoomsChanger : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override;
    void TabActivated() override;
    bool SelectTab(const std::string& /*tabName*/) override { return false; }
};
