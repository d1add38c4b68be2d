#pragma once
// TRoomPricesModel: a room's prices per season (objects of class 6004 in
// the room item, each naming a season item), as the season price grid
// lists, adds, changes and deletes them through the price dialog's
// parameter list ("Season", "Currency", "Single", "Double", "Triple",
// "Quadro", "Extra"; "Extra" is the price of an extra person, or of a twin
// room in the hotel association's catalogs). Everything lives in the
// session's objects until the room is saved.
//
// A price that is not a number is refused (an empty one is none), and so
// is a second price for a season the room already prices.
#include "editors/site/SiteModelContext.h"

#include <string>
#include <vector>

class TRoomPricesModel {
public:
    static constexpr int kPriceClass = 6004;
    static constexpr int kDialogType = 6008;

    struct TRow {
        int InstanceId = 0;
        int Season = 0;
        std::string SeasonName;
        std::string Currency;
        // Display texts; empty for 0.
        std::string Single, Double, Triple, Quadro, Extra;
    };

    explicit TRoomPricesModel(const TSiteModelContext& context);
    void Load();
    const std::vector<TRow>& Rows() const { return rows_; }

    std::vector<std::string> EditParams(int instanceId);
    // InstanceId 0: a new price. The error to show (translated); empty when done.
    std::string Apply(int instanceId, const std::vector<std::string>& answer);
    void Delete(int instanceId);

    // The refusal of a price text (translated), empty for a number or nothing.
    static std::string CheckPrice(const std::string& caption, const std::string& text);

private:
    TSiteModelContext context_;
    std::vector<TRow> rows_;
};
