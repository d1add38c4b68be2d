#pragma once
// TSeasonsModel: the seasons of a hotel catalog (items of type 6009 under
// item 21, each with its name and its first and last day), as the season
// grids of the hotel editors list, add, change and delete them.
//
// A new season is made and committed at once with an undo that the hotel's
// Cancel applies; its dates and a changed name or date are written into the
// session's objects and saved with the hotel. A season that ends before it
// starts is refused; a season that a room's price uses cannot be deleted;
// a deletion waits for the save. The season dialog exchanges its values
// through a parameter list ("InitSeasonName"... in, "SeasonName"... out).
#include "editors/business/ItemWrites.h"
#include "editors/business/NamedItemsModel.h"
#include "editors/site/SiteModelContext.h"

#include <string>
#include <vector>

class TSeasonsModel {
public:
    struct TDates {
        int FromDay = 0, FromMonth = 0, FromYear = 0;
        int ToDay = 0, ToMonth = 0, ToYear = 0;
    };
    struct TRow {
        int ItemId = 0;
        std::string Name;
        std::string From;  // "March 1, 2027"
        std::string To;
    };

    static constexpr int kSeasonType = 6009;
    static constexpr int kSeasonsRoot = 21;
    static constexpr int kDialogType = 6007;

    explicit TSeasonsModel(const TSiteModelContext& context);
    void UseWrites(const TItemWrites& writes) { items_.UseWrites(writes); }

    void Load();
    const std::vector<TRow>& Rows() const { return rows_; }

    // The dialog's start values for the season ("Init..." lines).
    std::vector<std::string> EditParams(int itemId);
    // The dialog's answer: a new season (NewItemId receives its id) or the season changed.
    // The error to show (translated); empty when done.
    std::string Add(const std::vector<std::string>& answer, int* newItemId = nullptr);
    std::string Change(int itemId, const std::vector<std::string>& answer);
    std::string Delete(int itemId);
    void ForgetDeletions() { items_.ForgetDeletions(); }

    // The refusal of a dialog's answer (translated), empty when it may be taken.
    static std::string Check(const std::string& name, const TDates& dates);
    static TDates DatesOf(const std::vector<std::string>& answer);
    static bool EndsBeforeStart(const TDates& dates);

private:
    std::string MonthName(int month) const;
    std::string DateText(int day, int month, int year) const;
    void WriteDates(int itemId, const TDates& dates);

    TSiteModelContext context_;
    TNamedItemsModel items_;
    std::vector<std::string> months_;
    std::vector<TRow> rows_;
};
