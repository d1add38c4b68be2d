#include "editors/business/hotels/HotelInfoFrames.h"

#include "catalog/CatalogData.h"
#include "editors/business/ItemNames.h"
#include "editors/business/hotels/HospitalityFields.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemManager.h"
#include "storage/ObjectCollection.h"
#include "storage/MemberValueText.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace hospitality_fields;

TFrameHotelInfo::TFrameHotelInfo(TFrameSite& site) : TFrameMemberForm(site, "TFrameHotelInfo", HotelInfo()) {}

// ---- the hotel booking site's hotel ------------------------------------------------------------

TFrameZOZHotelInfo::TFrameZOZHotelInfo(TFrameSite& site) : TFrameMemberForm(site, "TFrameZOZHotelInfo", ZOZHotelInfo())
{
}

void TFrameZOZHotelInfo::AfterLoad()
{
    auto* instant = qobject_cast<QCheckBox*>(Control("chkInstantConfirmation"));
    SetFieldEnabled("edtAllotment", instant && instant->isEnabled() && instant->isChecked());
}

void TFrameZOZHotelInfo::FieldChanged(const std::string& control)
{
    if (control != "chkInstantConfirmation")
        return;
    auto* instant = qobject_cast<QCheckBox*>(Control(control));
    const bool on = instant && instant->isChecked();
    SetFieldEnabled("edtAllotment", on);
    if (!on)
        SetFieldText("edtAllotment", "");
}

void TFrameZOZHotelInfo::AfterStore()
{
    // The counts show the whole numbers they were stored as.
    for (const char* count : {"edtNumberRooms", "edtSmokingRooms", "edtAllotment"})
        if (auto* edit = qobject_cast<QLineEdit*>(Control(count)))
            edit->setText(QString::number(TMemberValueText::ReadInteger(edit->text().toStdString())));
}

TFrameVIDOHotelInfo::TFrameVIDOHotelInfo(TFrameSite& site)
    : TFrameMemberForm(site, "TFrameVIDOHotelInfo", VIDOHotelInfo())
{
}

TFrameHotelMeta::TFrameHotelMeta(TFrameSite& site) : TFrameMemberForm(site, "TFrameHotelMeta", HotelMeta()) {}

// ---- facilities --------------------------------------------------------------------------------

TFrameHotelFacilities::TFrameHotelFacilities(TFrameSite& site)
    : TFrameMemberForm(site, "TFrameHotelFacilities", Facilities())
{
}

int TFrameHotelFacilities::EditedItemId()
{
    return CatalogType() == kAssociationCatalogType ? kCompanyItem : 0;
}

// ---- rooms ---------------------------------------------------------------------------------------

TFrameRoomInfo::TFrameRoomInfo(TFrameSite& site) : TFrameMemberForm(site, "TFrameRoomInfo", RoomInfo())
{
    NameField = "edtRoomName";
}

void TFrameRoomInfo::InitControls()
{
    TTolvexControlClass& context = *GetContext();
    TCatalogData* data = context.Data();
    if (context.IsNewItem() && data) {
        const std::string lang = data->GetDefaultLangCode();
        TAbstractObjectCollection& objects = context.GetObjectCollection();
        if (TItemNames::NameOf(objects, context.GetItemId(), lang).empty()) {
            const std::string caption =
                TTolvexItemManager::ForItemType(context.Services(), context.GetItemType()).GetNewItemCaption(context);
            TItemNames::SetName(objects, context.GetItemId(), lang, caption);
        }
    }
    TFrameMemberForm::InitControls();
    if (CatalogType() == kAssociationCatalogType)
        HideField("cbCategory");
    else
        HideField("edtRoomCode");
}

TFrameRoomPrice::TFrameRoomPrice(TFrameSite& site) : TFrameMemberForm(site, "TFrameRoomPrice", RoomPrice()) {}

// ---- restaurants ----------------------------------------------------------------------------

namespace {

std::vector<TMemberField> RestaurantFields()
{
    std::vector<TMemberField> fields = RestaurantInfo();
    const std::vector<TMemberField> address = RestaurantAddress();
    fields.insert(fields.end(), address.begin(), address.end());
    return fields;
}

}  // namespace

TFrameRestaurantProperties::TFrameRestaurantProperties(TFrameSite& site)
    : TFrameMemberForm(site, "TFrameRestaurantProperties", RestaurantFields())
{
}
