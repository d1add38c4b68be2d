#include "editors/business/hotels/HotelInfoFrames.h"

#include "catalog/CatalogData.h"
#include "editors/business/FrameImageMemberTab.h"
#include "editors/business/ItemNames.h"
#include "editors/business/hotels/HospitalityFields.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemManager.h"
#include "storage/ObjectCollection.h"
#include "storage/MemberValueText.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>
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

void TFrameRoomPrice::InitControls()
{
    TFrameMemberForm::InitControls();
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("High season"), this), 0, 1);
    grid->addWidget(new QLabel(tr("Low season"), this), 0, 2);
    const std::pair<const char*, const char*> rows[] = {
        {"edtPrice", "Price"},
        {"edtPriceText", "Description"},
        {"edtPriceExt", "Extra Price"},
        {"edtPriceExtText", "Extra Price Description"},
        {"edtPriceAdd", "Price For Additional Person"},
        {"edtPriceValidStart", "Period of Validity Start"},
        {"edtPriceValidEnd", "End"}};
    int row = 1;
    for (const auto& [control, caption] : rows) {
        grid->addWidget(new QLabel(tr(caption), this), row, 0);
        for (int period = 1; period <= 2; ++period) {
            QWidget* field = Control(control + std::to_string(period));
            if (!field)
                continue;
            const QFormLayout::TakeRowResult taken = Form->takeRow(field);
            if (taken.labelItem) {
                delete taken.labelItem->widget();
                delete taken.labelItem;
            }
            delete taken.fieldItem;
            grid->addWidget(field, row, period);
        }
        ++row;
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    Layout->insertLayout(1, grid);
    Layout->addStretch();
}

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

void TFrameRestaurantProperties::InitControls()
{
    TFrameMemberForm::InitControls();
    auto* pages = new QTabWidget(this);
    pages->setObjectName("pcRestaurant");
    auto* info = new QWidget(pages);
    info->setObjectName("tabInfo");
    Layout->removeItem(Form);
    auto* infoLayout = new QVBoxLayout(info);
    infoLayout->addLayout(Form);
    pages->addTab(info, tr("Info"));
    auto* address = new QWidget(pages);
    address->setObjectName("tabAddress");
    auto* addressForm = new QFormLayout;
    addressForm->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    for (const TMemberField& field : RestaurantAddress()) {
        QWidget* control = Control(field.Control);
        const QFormLayout::TakeRowResult taken = Form->takeRow(control);
        QWidget* label = taken.labelItem ? taken.labelItem->widget() : nullptr;
        delete taken.labelItem;
        delete taken.fieldItem;
        addressForm->addRow(label, control);
    }
    auto* addressLayout = new QVBoxLayout(address);
    addressLayout->addLayout(addressForm);
    addressLayout->addStretch();
    pages->addTab(address, tr("Address"));
    auto image = [&](const char* name, const char* caption, const char* member) {
        auto* page = new QWidget(pages);
        page->setObjectName(name);
        pages->addTab(page, tr(caption));
        NestEditor(*page, TFrameImageMemberTab::kEditorName,
                   TFrameImageMemberTab::Params("Restaurant", member, "Restaurant Photos", true, caption));
    };
    auto described = [&](const char* name, const QString& caption, int kind) {
        auto* page = new QWidget(pages);
        page->setObjectName(name);
        pages->addTab(page, caption);
        NestEditors(*page, kind);
    };
    image("tabPhoto", "Photo", "RestaurantPhoto");
    described("tabDescription", tr("Description"), 1);
    image("tabMainDishesPhoto", "Main Dishes Photo", "MainDishesPhoto");
    described("tabMainDishesDescription", tr("Main Dishes Description"), 2);
    image("tabMap", "Map", "RestaurantMap");
    pages->setCurrentIndex(0);
    Layout->insertWidget(0, pages, 1);
}
