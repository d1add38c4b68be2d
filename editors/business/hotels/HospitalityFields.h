#pragma once
// The fields of the hotel, room and restaurant tabs: which control shows
// which member of which object, with its caption and kind.
#include "editors/business/MemberFormModel.h"

#include <vector>

namespace hospitality_fields {

// The catalog type of the hotel association, whose tabs differ.
inline constexpr int kAssociationCatalogType = 8;
// The company item, which in the association's catalogs holds the hotel's facilities.
inline constexpr int kCompanyItem = 2001;

std::vector<TMemberField> HotelInfo();
std::vector<TMemberField> ZOZHotelInfo();
std::vector<TMemberField> VIDOHotelInfo();
std::vector<TMemberField> HotelMeta();
std::vector<TMemberField> Facilities();
std::vector<TMemberField> RoomInfo();
std::vector<TMemberField> RoomPrice();
std::vector<TMemberField> RestaurantInfo();
std::vector<TMemberField> RestaurantAddress();
// The hotel's payment forms and price notes, above and below the seasons.
std::vector<TMemberField> Payments();

}  // namespace hospitality_fields
