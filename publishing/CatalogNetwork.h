#pragma once
// The catalog network's shared rules, without widgets: the characters of a
// member's catalog code, the code a member's own rows are kept under in the
// local database, what a refresh asks the host for, and what it found.
//
// A member catalog lives on the hosting service. Its company record (item
// 2001, class 3), its catalog-type item (604) and its logo picture are
// fetched through the host data cache and stored under "c#" + its code, so
// that they never mix with the open catalog's own rows.
#include <string>
#include <vector>

class TAbstractDBConnection;
class TCatalog;
class TIniSettings;

namespace catalog_network {

inline constexpr int kMembersRoot = 20;
inline constexpr int kMemberItemType = 5002;
inline constexpr int kMemberListItemType = 5001;
inline constexpr int kCompanyItemId = 2001;
inline constexpr int kCompanyClassId = 3;
inline constexpr int kCatalogInfoItemId = 604;
inline constexpr int kCatalogInfoClassId = 604;
inline constexpr int kMemberClassId = 606;
inline constexpr int kBuyerClassId = 607;
inline constexpr int kBuyersRoot = 22;
inline constexpr int kBuyerItemType = 607;
inline constexpr int kIntermediateItemId = 16000;
inline constexpr int kManagementDialogType = 606;

// Text reduced to catalog-code characters: "-", digits and a-z, capitals
// made small; with Underscore also "_". Typed and pasted text alike.
std::string CodeCharacters(const std::string& text, bool underscore);

// The catalog code a member's rows are stored under: "c#" + its code.
std::string CachedCode(const std::string& memberCode);

// The member's site on the hosting service: the host's address (setting
// 71), "/" and the code; empty for an empty code.
std::string MemberSiteAddress(const TIniSettings& settings, const std::string& memberCode);

// One object the refresh asks the host for.
struct TFetch {
    int ItemId = 0;
    int ClassId = 0;
    // The remapping lines of the record-set reader: the member's code.
    std::vector<std::string> ExtraLines;
};
// The company record and the catalog-type item, in that order.
std::vector<TFetch> MemberFetches(const std::string& memberCode);
// The logo picture's item (its picture class).
TFetch LogoFetch(const std::string& memberCode, int logoItemId);

// What the local database holds of a member after a fetch.
struct TCachedMember {
    int LogoImageId = 0;   // 0: no logo, or no company record
    int CatalogType = 0;   // 0: the host did not know the catalog, or it is empty
};
TCachedMember ReadCachedMember(TCatalog& catalog, TAbstractDBConnection& connection, const std::string& memberCode);

}  // namespace catalog_network
