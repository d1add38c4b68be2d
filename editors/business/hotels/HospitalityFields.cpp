#include "editors/business/hotels/HospitalityFields.h"

namespace hospitality_fields {

namespace {

TMemberField F(const char* control, const char* caption, const char* classTag, const char* member,
               TMemberField::TKind kind = TMemberField::Text)
{
    TMemberField field;
    field.Control = control;
    field.Caption = caption;
    field.ClassTag = classTag;
    field.Member = member;
    field.Kind = kind;
    return field;
}

// The hotel's name: stored into the hotel's and the company's name.
TMemberField HotelName(bool shownFromCompany)
{
    TMemberField name = F("edtHotelName", "Hotel name", "HotelInfo", "HotelName");
    name.StoreAlso = {{"CommonCompanyInfo", "CompanyName"}};
    if (shownFromCompany)
        name.ShowFrom = {"CommonCompanyInfo", "CompanyName"};
    return name;
}

TMemberField Currency(const char* control, const char* caption, const char* classTag, const char* member)
{
    TMemberField currency = F(control, caption, classTag, member, TMemberField::Choice);
    currency.Currencies = true;
    currency.DefaultProperty = 706;
    return currency;
}

}  // namespace

std::vector<TMemberField> HotelInfo()
{
    return {HotelName(true),
            F("edtNumberRooms", "Total number of rooms", "HotelInfo", "NumberRooms", TMemberField::Integer),
            F("memLocationShort", "Location (short)", "HotelInfo", "LocationShort", TMemberField::Memo),
            F("cbRating", "Hotel type", "HotelInfo", "Rating", TMemberField::Choice),
            F("edtProximity", "Proximity", "HotelInfo", "Proximity"),
            F("lvPayments", "Payment forms", "HotelInfo", "Payments", TMemberField::MultiChoice)};
}

std::vector<TMemberField> ZOZHotelInfo()
{
    TMemberField breakfast = F("cbBreakfast", "Breakfast", "HotelInfo", "BreakfastIncluded", TMemberField::Choice);
    breakfast.FirstChoice = true;
    breakfast.First = {"(none)", ""};
    TMemberField currency =
        Currency("cbCurrency", "Show prices only in currency", "ZOZHotelInfo", "OnlyCurrencyForLanguage");
    currency.FirstChoice = true;
    currency.First = {"(any available)", ""};
    currency.DefaultProperty = 0;
    return {HotelName(false),
            F("cbRating", "Rating", "HotelInfo", "Rating", TMemberField::Choice),
            F("edtServiceCharge", "Service charge, percent", "HotelInfo", "ServiceChargePercent"),
            breakfast,
            F("chkFullBoard", "Full board included in room price", "HotelInfo", "FullboarIncluded",
              TMemberField::Boolean),
            F("chkInstantConfirmation", "Instant confirmation available", "HotelInfo", "InstantConfirmation",
              TMemberField::Boolean),
            F("edtNumberRooms", "Number of rooms", "HotelInfo", "NumberRooms", TMemberField::Integer),
            F("edtSmokingRooms", "Number of smoking rooms", "HotelInfo", "NumberSmokingRooms",
              TMemberField::Integer),
            F("edtAllotment", "Allotment for instant confirmation", "HotelInfo",
              "NumberRoomsForInstantConfirmation", TMemberField::Integer),
            currency};
}

std::vector<TMemberField> VIDOHotelInfo()
{
    return {HotelName(false),
            F("cbRating", "Hotel type", "HotelInfo", "Rating", TMemberField::Choice),
            F("edtCheckIn", "Check-in time", "VIDOHotelInfo", "CheckInTime"),
            F("edtCheckOut", "Check-out time", "VIDOHotelInfo", "CheckOutTime"),
            F("chkOwnerProcessBooking", "Hotel/Guesthouse will handle booking requests", "VIDOHotelInfo",
              "OwnerProcessBooking", TMemberField::Boolean)};
}

std::vector<TMemberField> HotelMeta()
{
    return {F("memTitle", "Title", "ZOZHotelInfo", "Title", TMemberField::Memo),
            F("memKeywords", "Keywords", "ZOZHotelInfo", "MetaKeywords", TMemberField::Memo),
            F("memDescription", "Description", "ZOZHotelInfo", "MetaDescription", TMemberField::Memo)};
}

std::vector<TMemberField> Facilities()
{
    return {F("lvFacilities", "Facilities", "HotelInfo", "FacilitiesAvailable", TMemberField::MultiChoice),
            F("lvLanguages", "Languages spoken", "HotelInfo", "Language", TMemberField::MultiChoice),
            F("memLanguageOther", "Other languages", "HotelInfo", "LanguageOther", TMemberField::Memo),
            F("memFacilitiesOther", "Other facilities", "HotelInfo", "FacilitiesOther", TMemberField::Memo)};
}

std::vector<TMemberField> RoomInfo()
{
    TMemberField name = F("edtRoomName", "Room name", "CommonNames", "ItemName");
    name.OnlyWhenChanged = true;
    return {name,
            F("edtRoomCode", "Room code", "RoomInfo", "RoomCode"),
            F("cbCategory", "Category", "RoomInfo", "RoomCategory", TMemberField::Choice),
            F("edtNumRooms", "Number of rooms in this category", "RoomInfo", "NumRooms", TMemberField::Integer),
            F("cbSmoking", "Smoking", "RoomInfo", "Smoking", TMemberField::Choice),
            F("chkBreakfast", "Breakfast included", "RoomInfo", "Breakfast", TMemberField::Boolean),
            F("lvCharacteristics", "Characteristics", "RoomInfo", "Characteristics", TMemberField::MultiChoice),
            F("edtOtherCharacteristics", "Other characteristics", "RoomInfo", "OtherCharacteristics"),
            F("memNotes", "Notes", "RoomInfo", "SpecialNotes", TMemberField::Memo)};
}

std::vector<TMemberField> RoomPrice()
{
    std::vector<TMemberField> fields{
        Currency("cbCurrency", "Currency", "RoomInfo", "Currency"),
        F("edtPriceValidPeople1", "Rate applies to how many person?", "RoomInfo", "PriceValidPeople1",
          TMemberField::Integer),
        F("edtRates", "Rates for", "RoomInfo", "Rates")};
    const char* periods[] = {"High season: ", "Low season: "};
    for (int period = 1; period <= 2; ++period) {
        const std::string n = std::to_string(period);
        const std::string p = periods[period - 1];
        auto field = [&](const std::string& control, const std::string& caption, const std::string& member,
                         TMemberField::TKind kind) {
            TMemberField f = F("", "", "RoomInfo", "", kind);
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
    TMemberField payments = F("lvPayments", "Payment forms", "Restaurant", "Payments", TMemberField::MultiChoice);
    payments.EveryLanguage = true;
    return {F("edtRestaurantName", "Name", "Restaurant", "RestaurantName"),
            F("edtOpeningHours", "Opening hours", "Restaurant", "OpeningHours"),
            F("edtContactPerson", "Contact person", "Restaurant", "ContactPerson"),
            F("edtContactPersonTitle", "Contact person title", "Restaurant", "ContactPersonTitle"),
            F("edtEmail", "E-mail", "Restaurant", "Email"),
            F("edtAlternateURL", "Alternate web address", "Restaurant", "AlternateURL"),
            payments};
}

std::vector<TMemberField> RestaurantAddress()
{
    TMemberField province = F("cbProvince", "Province", "Restaurant", "AddressProvince", TMemberField::Choice);
    province.FirstChoice = true;
    province.First = {"", ""};
    province.ReferenceList = 14;
    return {F("edtCountry", "Country", "Restaurant", "AddressCountry"),
            province,
            F("edtCity", "City", "Restaurant", "AddressCity"),
            F("edtAddressLine1", "Address line 1", "Restaurant", "AddressLine1"),
            F("edtAddressLine2", "Address line 2", "Restaurant", "AddressLine2"),
            F("edtPhone", "Phone", "Restaurant", "Phone"),
            F("edtFax", "Fax", "Restaurant", "Fax")};
}

std::vector<TMemberField> Payments()
{
    return {F("lvPayments", "Payment forms", "HotelInfo", "Payments", TMemberField::MultiChoice),
            F("memPriceNotes", "Price notes", "HotelInfo", "PriceNotes", TMemberField::Memo)};
}

}  // namespace hospitality_fields
