#include "editors/business/hotels/HospitalityEditors.h"

#include "catalog/InternalPluginsManager.h"
#include "editors/business/FrameImageMemberTab.h"
#include "editors/business/hotels/FrameAllRoomsEditor.h"
#include "editors/business/hotels/HotelInfoFrames.h"
#include "editors/business/hotels/RoomPriceFrames.h"
#include "editors/business/hotels/SeasonFrames.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/media/images/FrameMultipleImageDataEditor.h"
#include "storage/ObjectCollection.h"
#include "editors/site/SiteTabsEditor.h"
#include "editors/site/company/FrameCompanyAddress.h"
#include "editors/site/company/FrameCompanyContact.h"
#include "editors/site/options/FrameOptionsEditor.h"
#include "editors/site/options/FrameUsersEditor.h"

// ---- item managers ----------------------------------------------------------------------------

THospitalityItemManager::THospitalityItemManager(std::string name, std::string params, std::string withName,
                                                 std::string plain, std::string newItem, bool doubleAmpersands)
    : TTolvexItemManager(std::move(name), std::move(params)), withName_(std::move(withName)),
      plain_(std::move(plain)), newItem_(std::move(newItem)), doubleAmpersands_(doubleAmpersands)
{
}

std::string THospitalityItemManager::Caption(const std::string& withName, const std::string& plain, bool hasName,
                                             const std::string& name, bool doubleAmpersands)
{
    if (!hasName)
        return plain;
    std::string shown = name;
    if (doubleAmpersands)
        for (std::size_t at = shown.find('&'); at != std::string::npos; at = shown.find('&', at + 2))
            shown.insert(at, "&");
    std::string caption = withName;
    const std::size_t at = caption.find("$1");
    if (at != std::string::npos)
        caption.replace(at, 2, shown);
    return caption;
}

std::string THospitalityItemManager::GetCaption(TTolvexControlClass& context)
{
    const std::string name = ItemName(context);
    // The template is translated before the name goes in: a name is never translated.
    return Caption(context.Translate(withName_), context.Translate(plain_), !name.empty(), name, doubleAmpersands_);
}

std::string THospitalityItemManager::GetNewItemCaption(TTolvexControlClass& context)
{
    return context.Translate(newItem_);
}

THotelHtmlFrame::THotelHtmlFrame(TFrameSite& site, const char* objectName, const char* member)
    : TFrameHtmlDataEditor(site)
{
    setObjectName(objectName);
    DataClassTag = "HotelInfo";
    DataMemberTag = member;
}

// ---- registration ----------------------------------------------------------------------------

namespace {

template <class TFrame>
class THtmlFrameClass : public TFrameClass {
public:
    THtmlFrameClass(const char* className, const char* member) : className_(className), member_(member) {}
    std::string PluginName() const override { return {}; }
    std::string ClassName() const override { return className_; }
    std::string TabCaption() const override { return {}; }
    std::string TabName() const override { return {}; }
    bool IsSingleFrame() const override { return false; }
    std::unique_ptr<TTolvexFrameEditor> CreateFrame(TFrameSite& site) const override
    {
        return std::make_unique<TFrame>(site, className_, member_);
    }

private:
    const char* className_;
    const char* member_;
};

const TFrameClassOf<TFrameHotelInfo> kHotelInfo("", "TFrameHotelInfo");
const TFrameClassOf<TFrameZOZHotelInfo> kZOZHotelInfo("", "TFrameZOZHotelInfo");
const TFrameClassOf<TFrameVIDOHotelInfo> kVIDOHotelInfo("", "TFrameVIDOHotelInfo");
const TFrameClassOf<TFrameHotelMeta> kHotelMeta("", "TFrameHotelMeta");
const TFrameClassOf<TFrameHotelFacilities> kFacilities("", "TFrameHotelFacilities");
const TFrameClassOf<TFrameZOZPayments> kPayments("", "TFrameZOZPayments");
const TFrameClassOf<TFrameHotelSeasons> kSeasons("", "TFrameHotelSeasons");
const TFrameClassOf<TFrameZOZEditSeason> kEditSeason("", "TFrameZOZEditSeason");
const TFrameClassOf<TFrameRoomInfo> kRoomInfo("", "TFrameRoomInfo");
const TFrameClassOf<TFrameRoomPrice> kRoomPrice("", "TFrameRoomPrice");
const TFrameClassOf<TFrameZOZRoom> kZOZRoom("", "TFrameZOZRoom");
const TFrameClassOf<TFrameZOZEditPrice> kEditPrice("", "TFrameZOZEditPrice");
const TFrameClassOf<TFrameAllRoomsEditor> kAllRooms("", "TFrameAllRoomsEditor");
const TFrameClassOf<TFrameRestaurantProperties> kRestaurant("", "TFrameRestaurantProperties");
const TFrameClassOf<TFrameCompanyAddress> kAddress("", "TFrameCompanyAddress");
const TFrameClassOf<TFrameCompanyContact> kContact("", "TFrameCompanyContact");
const TFrameClassOf<TFrameOptionsEditor> kOptions("", "TFrameOptionsEditor");
const TFrameClassOf<TFrameUsersEditor> kUsers("", "TFrameUsersEditor");
const THtmlFrameClass<THotelHtmlFrame> kDescription("TFrameHotelDescription", "HtmlDescription");
const THtmlFrameClass<THotelHtmlFrame> kFacilitiesDescription("TFrameFacilitiesDescription", "FacilitiesDescription");
const THtmlFrameClass<THotelHtmlFrame> kLocationDescription("TFrameLocationDescription", "LocationDescription");
const THtmlFrameClass<THotelHtmlFrame> kRoomDescription("TFrameRoomDescription", "RoomDescription");
// The picture tabs: the configurable image editor nested for one member; a
// list of pictures has a frame of the pictures' editors, still to come.
const TImageMemberTabClass kLogo("TFrameHotelLogo", "HotelInfo", "Logotype", "Logotypes", false, "Logo");
const TImageMemberTabClass kPhoto("TFrameHotelPhoto", "HotelInfo", "HotelPhoto", "HotelPhoto", false, "Photo");
const TImageMemberTabClass kRoomPhoto("TFrameRoomPhoto", "RoomInfo", "RoomPhoto", "Room Photos", true, "Room Photo");
// A room's further photos: the list-of-images frame on "RoomInfo.AdditionalPhotos".
class TFrameRoomAdditionalPhotos : public TFrameMultipleImageDataEditor {
public:
    explicit TFrameRoomAdditionalPhotos(TFrameSite& site) : TFrameMultipleImageDataEditor(site)
    {
        setObjectName("TFrameRoomAdditionalPhotos");
        Config.ClassTag = "RoomInfo";
        Config.Member = "AdditionalPhotos";
        Config.FolderName = "Room Photos";
        Config.NeedLargeCopy = true;
    }
};
const TFrameClassOf<TFrameRoomAdditionalPhotos> kRoomPhotos("", "TFrameRoomAdditionalPhotos");

const std::set<int> kBase = {0, 1, 3, 4};
const std::set<int> kAdministrators = {0, 1};

using TTab = TSiteTabsEditor::TTab;
using TTabs = std::vector<TTab>;

bool IsVido(const std::string& params) { return params == "vido"; }

void Register(TInternalPluginsManager& registry, const char* className, std::function<TTabs(const std::string&)> tabs,
              std::set<int> roles, bool singleFrame = false)
{
    registry.RegisterBuiltinClass(className, [=](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TSiteTabsEditor(name, params, tabs(params), roles, singleFrame));
    });
}

void Register(TInternalPluginsManager& registry, const char* className, TTabs tabs, std::set<int> roles,
              bool singleFrame = false)
{
    Register(registry, className, [tabs](const std::string&) { return tabs; }, std::move(roles), singleFrame);
}

TTabs HotelTabs()
{
    return {{"Hotel Info", "Hotel-info", &kHotelInfo, {}},
            {"Address", "Hotel-address", &kAddress, {}},
            {"Contact", "Hotel-contact", &kContact, {}},
            {"Logo", "Hotel-logo", &kLogo, {}},
            {"Description", "Hotel-description", &kDescription, {}},
            {"Facilities", "Hotel-facilites", &kFacilities, {}},
            {"Facilities Description", "Hotel-facilitesdescription", &kFacilitiesDescription, {}}};
}

TTabs ZOZHotelTabs(const std::string& params)
{
    const bool vido = IsVido(params);
    TTabs tabs{{"Hotel Info", "Hotel-info", vido ? static_cast<const TAbstractFrameClass*>(&kVIDOHotelInfo) : &kZOZHotelInfo, {}}};
    if (!vido)
        tabs.push_back({"Meta Tags", "Hotel-meta", &kHotelMeta, {}});
    if (!vido)
        tabs.push_back({"Facilities", "Hotel-facilites", &kFacilities, {}});
    tabs.push_back({"Payments", "Hotel-payments", &kPayments, {}});
    tabs.push_back({"Address", "Hotel-address", &kAddress, {}});
    if (!vido)
        tabs.push_back({"Contact", "Hotel-contact", &kContact, {}});
    tabs.push_back({"Logo", "Hotel-logo", &kLogo, {}});
    tabs.push_back({"Photo", "Hotel-photo", &kPhoto, {}});
    tabs.push_back({"Description", "Hotel-description", &kDescription, {}});
    if (!vido) {
        tabs.push_back({"Facilities Description", "Hotel-facilitesdescription", &kFacilitiesDescription, {}});
        tabs.push_back({"Location Description", "Hotel-LocationDescription", &kLocationDescription, {}});
        tabs.push_back({"Room Description", "Hotel-RoomDescription", &kRoomDescription, {}});
    }
    return tabs;
}

TTabs RoomTabs(const std::string& params)
{
    const bool vido = IsVido(params);
    TTabs tabs{{"Room Info", "Room-info", &kRoomInfo, {}},
               {"Room Price", "Room-price", vido ? static_cast<const TAbstractFrameClass*>(&kZOZRoom) : &kRoomPrice, {}},
               {"Room Photo", "Room-photo", &kRoomPhoto, {}}};
    if (!vido)
        tabs.push_back({"Additional Photos", "Room-additionalphotos", &kRoomPhotos, {}});
    return tabs;
}

template <class... TArgs>
void RegisterManager(TInternalPluginsManager& registry, const char* className, TArgs... args)
{
    registry.RegisterBuiltinClass(className, [=](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new THospitalityItemManager(name, params, args...));
    });
}

}  // namespace

void RegisterHospitalityEditors(TInternalPluginsManager& registry)
{
    Register(registry, "TAllRoomsEditor", {{"All Rooms", "AllRooms-list", &kAllRooms, {}}}, kBase, true);
    registry.RegisterBuiltinClass("TAllRoomsChanger", [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TAllRoomsChanger(name, params));
    });
    Register(registry, "THotelEditor", HotelTabs(), kAdministrators);
    Register(registry, "TRoomEditor", RoomTabs, kBase);
    Register(registry, "TVBHHotelEditor", ZOZHotelTabs, kAdministrators);
    Register(registry, "TVBHRoomEditor", {{"Room Info", "Room-info", &kZOZRoom, {}}}, kBase);
    Register(registry, "THotelOptionsEditor",
             {{"Basic", "OptionsEditor-options", &kOptions, {}},
              {"Users", "OptionsEditor-users", &kUsers,
               [](TTolvexControlClass& context) { return context.GetUserRole() == 0; }}},
             kAdministrators);
    Register(registry, "THotelFacilitiesEditor", {{"Facilities", "Hotel-facilites", &kFacilities, {}}}, kAdministrators);
    Register(registry, "THotelSeasonsEditor", {{"Seasons", "Hotel-seasons", &kSeasons, {}}}, kAdministrators);
    Register(registry, "TVBHEditSeasonEditor", {{"Seasons", "EditSeason-basic", &kEditSeason, {}}}, kBase, true);
    Register(registry, "TVBHEditPriceEditor", {{"Price", "EditPrice-basic", &kEditPrice, {}}}, kBase, true);
    Register(registry, "TRestaurantEditor", {{"Restaurant Info", "Restaurant-basic", &kRestaurant, {}}}, kBase);

    RegisterManager(registry, "TAllRoomsItemManager", std::string("All Rooms"), std::string("All Rooms"),
                    std::string("New Room"), false);
    RegisterManager(registry, "TRoomItemManager", std::string("Room: $1"), std::string("Room"),
                    std::string("New Room"), false);
    RegisterManager(registry, "THotelItemManager", std::string("Hotel: $1"), std::string("Hotel"),
                    std::string("New Hotel"), false);
    RegisterManager(registry, "TRoomsRatesItemManager", std::string("$1"), std::string("Rooms && Rates"),
                    std::string("New Room"), true);
    RegisterManager(registry, "TRestaurantItemManager", std::string("Restaurant: $1"), std::string("Restaurant"),
                    std::string("Restaurant"), false);
}
