#include "editors/business/hotels/HospitalityFields.h"

namespace hospitality_fields {

namespace {

// The hotel's name: stored into the hotel's and the company's name.
TMemberField HotelName(bool shownFromCompany)
{
    TMemberField name = MemberField("edtHotelName", "Hotel name", "HotelInfo", "HotelName");
    name.StoreAlso = {{"CommonCompanyInfo", "CompanyName"}};
    if (shownFromCompany)
        name.ShowFrom = {"CommonCompanyInfo", "CompanyName"};
    return name;
}

TMemberField Currency(const char* control, const char* caption, const char* classTag, const char* member)
{
    TMemberField currency = MemberField(control, caption, classTag, member, TMemberField::Choice);
    currency.Currencies = true;
    currency.DefaultProperty = 706;
    return currency;
}

}  // namespace

std::vector<TMemberField> HotelInfo()
{
    return {HotelName(true),
            MemberField("edtNumberRooms", "Total number of rooms", "HotelInfo", "NumberRooms", TMemberField::Integer),
            MemberField("memLocationShort", "Location (short)", "HotelInfo", "LocationShort", TMemberField::Memo),
            MemberField("cbRating", "Hotel type", "HotelInfo", "Rating", TMemberField::Choice),
            MemberField("edtProximity", "Proximity", "HotelInfo", "Proximity"),
            MemberField("lvPayments", "Payment forms", "HotelInfo", "Payments", TMemberField::MultiChoice)};
}

std::vector<TMemberField> ZOZHotelInfo()
{
    TMemberField breakfast = MemberField("cbBreakfast", "Breakfast", "HotelInfo", "BreakfastIncluded",
                                         TMemberField::Choice);
    breakfast.FirstChoice = true;
    breakfast.First = {"(none)", ""};
    TMemberField currency =
        Currency("cbCurrency", "Show prices only in currency", "ZOZHotelInfo", "OnlyCurrencyForLanguage");
    currency.FirstChoice = true;
    currency.First = {"(any available)", ""};
    currency.DefaultProperty = 0;
    return {HotelName(false),
            MemberField("cbRating", "Rating", "HotelInfo", "Rating", TMemberField::Choice),
            MemberField("edtServiceCharge", "Service charge, percent", "HotelInfo", "ServiceChargePercent"),
            breakfast,
            MemberField("chkFullBoard", "Full board included in room price", "HotelInfo", "FullboarIncluded",
                        TMemberField::Boolean),
            MemberField("chkInstantConfirmation", "Instant confirmation available", "HotelInfo", "InstantConfirmation",
                        TMemberField::Boolean),
            MemberField("edtNumberRooms", "Number of rooms", "HotelInfo", "NumberRooms", TMemberField::Integer),
            MemberField("edtSmokingRooms", "Number of smoking rooms", "HotelInfo", "NumberSmokingRooms",
                        TMemberField::Integer),
            MemberField("edtAllotment", "Allotment for instant confirmation", "HotelInfo",
                        "NumberRoomsForInstantConfirmation", TMemberField::Integer),
            currency};
}

std::vector<TMemberField> VIDOHotelInfo()
{
    return {HotelName(false),
            MemberField("cbRating", "Hotel type", "HotelInfo", "Rating", TMemberField::Choice),
            MemberField("edtCheckIn", "Check-in time", "VIDOHotelInfo", "CheckInTime"),
            MemberField("edtCheckOut", "Check-out time", "VIDOHotelInfo", "CheckOutTime"),
            MemberField("chkOwnerProcessBooking", "Hotel/Guesthouse will handle booking requests", "VIDOHotelInfo",
                        "OwnerProcessBooking", TMemberField::Boolean)};
}

std::vector<TMemberField> HotelMeta()
{
    return {MemberField("memTitle", "Title", "ZOZHotelInfo", "Title", TMemberField::Memo),
            MemberField("memKeywords", "Keywords", "ZOZHotelInfo", "MetaKeywords", TMemberField::Memo),
            MemberField("memDescription", "Description", "ZOZHotelInfo", "MetaDescription", TMemberField::Memo)};
}

std::vector<TMemberField> Facilities()
{
    return {MemberField("lvFacilities", "Facilities", "HotelInfo", "FacilitiesAvailable", TMemberField::MultiChoice),
            MemberField("lvLanguages", "Languages spoken", "HotelInfo", "Language", TMemberField::MultiChoice),
            MemberField("memLanguageOther", "Other languages", "HotelInfo", "LanguageOther", TMemberField::Memo),
            MemberField("memFacilitiesOther", "Other facilities", "HotelInfo", "FacilitiesOther", TMemberField::Memo)};
}

std::vector<TMemberField> RoomInfo()
{
    TMemberField name = MemberField("edtRoomName", "Room name", "CommonNames", "ItemName");
    name.OnlyWhenChanged = true;
    return {name,
            MemberField("edtRoomCode", "Room code", "RoomInfo", "RoomCode"),
            MemberField("cbCategory", "Category", "RoomInfo", "RoomCategory", TMemberField::Choice),
            MemberField("edtNumRooms", "Number of rooms in this category", "RoomInfo", "NumRooms",
                        TMemberField::Integer),
            MemberField("cbSmoking", "Smoking", "RoomInfo", "Smoking", TMemberField::Choice),
            MemberField("chkBreakfast", "Breakfast included", "RoomInfo", "Breakfast", TMemberField::Boolean),
            MemberField("lvCharacteristics", "Characteristics", "RoomInfo", "Characteristics",
                        TMemberField::MultiChoice),
            MemberField("edtOtherCharacteristics", "Other characteristics", "RoomInfo", "OtherCharacteristics"),
            MemberField("memNotes", "Notes", "RoomInfo", "SpecialNotes", TMemberField::Memo)};
}

std::vector<TMemberField> RoomPrice()
{
    std::vector<TMemberField> fields{
        Currency("cbCurrency", "Currency", "RoomInfo", "Currency"),
        MemberField("edtPriceValidPeople1", "Rate applies to how many person?", "RoomInfo", "PriceValidPeople1",
                    TMemberField::Integer),
        MemberField("edtRates", "Rates for", "RoomInfo", "Rates")};
    const char* periods[] = {"High season: ", "Low season: "};
    for (int period = 1; period <= 2; ++period) {
        const std::string n = std::to_string(period);
        const std::string p = periods[period - 1];
        auto field = [&](const std::string& control, const std::string& caption, const std::string& member,
                         TMemberField::TKind kind) {
            TMemberField f = MemberField("", "", "RoomInfo", "", kind);
            f.Control = control + n;
            f.Caption = p + caption;
            f.Member = member;
            return f;
        };
        fields.push_back(field("edtPrice", "Price", "Price" + n, TMemberField::Amount));
        fields.push_back(field("edtPriceText", "Description", "Price" + n + "Text", TMemberField::Text));
        fields.push_back(field("edtPriceExt", "Extra Price", "Price" + n + "Ext", TMemberField::Amount));
        fields.push_back(field("edtPriceExtText", "Extra Price Description", "Price" + n + "ExtText",
                               TMemberField::Text));
        fields.push_back(field("edtPriceAdd", "Price For Additional Person", "PriceAdd" + n, TMemberField::Amount));
        fields.push_back(field("edtPriceValidStart", "Period of Validity Start", "PriceValidStart" + n,
                               TMemberField::Text));
        fields.push_back(field("edtPriceValidEnd", "End", "PriceValidEnd" + n, TMemberField::Text));
    }
    return fields;
}

std::vector<TMemberField> RestaurantInfo()
{
    TMemberField payments = MemberField("lvPayments", "Payment forms", "Restaurant", "Payments",
                                        TMemberField::MultiChoice);
    payments.EveryLanguage = true;
    return {MemberField("edtRestaurantName", "Name", "Restaurant", "RestaurantName"),
            MemberField("edtOpeningHours", "Opening hours", "Restaurant", "OpeningHours"),
            MemberField("edtContactPerson", "Contact person", "Restaurant", "ContactPerson"),
            MemberField("edtContactPersonTitle", "Contact person title", "Restaurant", "ContactPersonTitle"),
            MemberField("edtEmail", "E-mail", "Restaurant", "Email"),
            MemberField("edtAlternateURL", "Alternate web address", "Restaurant", "AlternateURL"),
            payments};
}

std::vector<TMemberField> RestaurantAddress()
{
    TMemberField province = MemberField("cbProvince", "Province", "Restaurant", "AddressProvince",
                                        TMemberField::Choice);
    province.FirstChoice = true;
    province.First = {"", ""};
    province.ReferenceList = 14;
    return {MemberField("edtCountry", "Country", "Restaurant", "AddressCountry"),
            province,
            MemberField("edtCity", "City", "Restaurant", "AddressCity"),
            MemberField("edtAddressLine1", "Address line 1", "Restaurant", "AddressLine1"),
            MemberField("edtAddressLine2", "Address line 2", "Restaurant", "AddressLine2"),
            MemberField("edtPhone", "Phone", "Restaurant", "Phone"),
            MemberField("edtFax", "Fax", "Restaurant", "Fax")};
}

std::vector<TMemberField> Payments()
{
    return {MemberField("lvPayments", "Payment forms", "HotelInfo", "Payments", TMemberField::MultiChoice),
            MemberField("memPriceNotes", "Price notes", "HotelInfo", "PriceNotes", TMemberField::Memo)};
}

}  // namespace hospitality_fields
