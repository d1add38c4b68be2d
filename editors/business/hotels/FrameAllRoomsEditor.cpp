#include "editors/business/hotels/FrameAllRoomsEditor.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonGui.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "common/CommonProcedures.h"
#include "editors/business/ItemNames.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstdlib>

using UiText::Q;

TFrameAllRoomsEditor::TFrameAllRoomsEditor(TFrameSite& site)
{
    setObjectName("TFrameAllRoomsEditor");
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameAllRoomsEditor::InitControls()
{
    tvRooms_ = new QTreeWidget(this);
    tvRooms_->setObjectName("tvRooms");
    tvRooms_->setHeaderLabels({tr("Rooms")});
    tvRooms_->setRootIsDecorated(false);
    btnNew_ = new QPushButton(tr("&New"), this);
    btnNew_->setObjectName("btnNewRoom");
    btnEdit_ = new QPushButton(tr("&Edit"), this);
    btnEdit_->setObjectName("btnEditRoom");
    btnDelete_ = new QPushButton(tr("&Delete"), this);
    btnDelete_->setObjectName("btnDeleteRoom");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnNew_);
    buttons->addWidget(btnEdit_);
    buttons->addWidget(btnDelete_);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(tvRooms_, 1);
    layout->addLayout(buttons);
    connect(btnNew_, &QPushButton::clicked, this, [this] { NewRoom(); });
    connect(btnEdit_, &QPushButton::clicked, this, [this] { EditRoom(); });
    connect(btnDelete_, &QPushButton::clicked, this, [this] { DeleteRoom(); });
    connect(tvRooms_, &QTreeWidget::itemDoubleClicked, this, [this] { EditRoom(); });
    connect(tvRooms_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    Fill();
    TabShown();
}

void TFrameAllRoomsEditor::TabShown()
{
    TTolvexFrameViewer::TabShown();
    // The list acts on the catalog at once: nothing to save.
    GetContext()->ShowSavePanel(false);
}

void TFrameAllRoomsEditor::Fill()
{
    tvRooms_->clear();
    const TSiteModelContext context = SiteModelContextOf(*this);
    const int root = GetContext()->FindFirstItemOfType(kRoomsListType);
    if (root != 0) {
        std::vector<std::string> ids;
        context.Data.GetQueries().GetChildIdsOfType(root, kRoomType, context.Connection, ids);
        for (const std::string& id : ids) {
            const int itemId = std::atoi(id.c_str());
            auto* row = new QTreeWidgetItem(tvRooms_, {Q(context.Data.GetItemName(itemId, context.Connection,
                                                                                   context.LangCode))});
            row->setData(0, Qt::UserRole, itemId);
        }
    }
    UpdateButtons();
}

int TFrameAllRoomsEditor::SelectedRoom() const
{
    QTreeWidgetItem* row = tvRooms_->currentItem();
    return row && row->isSelected() ? row->data(0, Qt::UserRole).toInt() : 0;
}

void TFrameAllRoomsEditor::UpdateButtons()
{
    const bool chosen = SelectedRoom() != 0;
    btnEdit_->setEnabled(chosen);
    btnDelete_->setEnabled(chosen);
}

void TFrameAllRoomsEditor::NewRoom()
{
    GetContext()->QueueAction("Action=MainPageEditor&ItemId=-2&ItemType=" + std::to_string(kRoomType) +
                                  "&ParentItemId=" + std::to_string(kNewRoomsParent),
                              true);
}

void TFrameAllRoomsEditor::EditRoom()
{
    if (const int room = SelectedRoom())
        GetContext()->QueueAction("Action=MainPageEditor&ItemId=" + std::to_string(room), true);
}

void TFrameAllRoomsEditor::DeleteRoom()
{
    const int room = SelectedRoom();
    if (room == 0)
        return;
    TCommonGui& gui = CommonProcedures->Gui();
    if (gui.AskQuestion("Do you really want to delete the room?", "", true) != mrYes)
        return;
    TCatalogData& data = *GetContext()->Data();
    TAbstractDBConnection& main = data.GetConnectionFactory().GetConnection();
    if (!GetContext()->Services().Root.Catalog().DeleteItem(room, data.GetCatalogCode(), main, true, true,
                                                             TDeleteChildren::Refuse)) {
        ShowFrameError(GetContext()->Translate("Cannot delete the room."));
        return;
    }
    Fill();
}

void TFrameAllRoomsEditor::ExecuteCommand(const std::string& command)
{
    if (command != "StartRoom")
        return;
    if (SelectedRoom())
        EditRoom();
    else
        NewRoom();
}

void TAllRoomsChanger::CreatePages()
{
    AddTab("All Rooms", "AllRooms-list", nullptr);
}

void TAllRoomsChanger::TabActivated()
{
    TTolvexUIEditor::TabActivated();
    if (CurrentTabName() == "AllRooms-list")
        GetContext()->QueueAction("Action=MainPageEditor&ItemType=" +
                                      std::to_string(TFrameAllRoomsEditor::kRoomsListType),
                                  true);
}
