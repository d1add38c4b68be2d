#include "editors/business/hotels/SeasonsModel.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/Translation.h"
#include "editors/business/ItemNames.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/MemberValueText.h"
#include "storage/NameValueLines.h"
#include "storage/References.h"

#include <tuple>

namespace {

constexpr int kMonthNames = 12;

TNamedItemsModel::TSettings SeasonSettings()
{
    TNamedItemsModel::TSettings settings;
    settings.Root = TSeasonsModel::kSeasonsRoot;
    settings.ItemType = TSeasonsModel::kSeasonType;
    settings.NameInDefaultLanguage = true;
    settings.EmptyName = "Enter the season name";
    settings.InUse = "Cannot delete the season. Remove the season from price first.";
    return settings;
}

int IntegerOf(const std::vector<std::string>& lines, const char* name)
{
    return TMemberValueText::ReadInteger(ValueOfName(lines, name));
}

std::string Text(const std::string& text)
{
    return TTranslation::OrEnglish(Translation).Format(text, {});
}

}  // namespace

TSeasonsModel::TSeasonsModel(const TSiteModelContext& context)
    : context_(context), items_(context, SeasonSettings())
{
    std::vector<std::string> lines;
    RootObject->References().FillReferenceList(kMonthNames, lines, false, context_.LangCode);
    if (lines.empty() && context_.LangCode != "EN")
        RootObject->References().FillReferenceList(kMonthNames, lines, false, "EN");
    months_ = lines;
}

std::string TSeasonsModel::MonthName(int month) const
{
    const std::string key = std::to_string(month);
    for (const std::string& line : months_)
        if (line.substr(0, line.find('=')) == key)
            return line.substr(line.find('=') + 1);
    return key;
}

std::string TSeasonsModel::DateText(int day, int month, int year) const
{
    if (day == 0 && month == 0 && year == 0)
        return {};
    return MonthName(month) + " " + std::to_string(day) + ", " + std::to_string(year);
}

void TSeasonsModel::Load()
{
    items_.Load();
    rows_.clear();
    for (const TNamedItemsModel::TItem& item : items_.Items()) {
        TRow row;
        row.ItemId = item.ItemId;
        TAbstractCObject* season = context_.Objects.GetObject(item.ItemId, "ZOZSeason");
        TAbstractCObject* names = context_.Objects.GetObject(item.ItemId, "CommonNames");
        if (season && names) {
            row.Name = TItemNames::NameOf(context_.Objects, item.ItemId, context_.LangCode);
            const std::string& lang = context_.LangCode;
            row.From = DateText(season->GetLangInteger("FromDay", lang, 0), season->GetLangInteger("FromMonth", lang, 0),
                                season->GetLangInteger("FromYear", lang, 0));
            row.To = DateText(season->GetLangInteger("ToDay", lang, 0), season->GetLangInteger("ToMonth", lang, 0),
                              season->GetLangInteger("ToYear", lang, 0));
        }
        rows_.push_back(row);
    }
}

std::vector<std::string> TSeasonsModel::EditParams(int itemId)
{
    TAbstractCObject* season = context_.Objects.GetObject(itemId, "ZOZSeason");
    TAbstractCObject* names = context_.Objects.GetObject(itemId, "CommonNames");
    if (!season || !names)
        return {};
    const std::string& lang = context_.LangCode;
    std::vector<std::string> lines{"InitSeasonName=" + TItemNames::NameOf(context_.Objects, itemId, lang)};
    for (const char* member : {"FromMonth", "FromDay", "FromYear", "ToMonth", "ToDay", "ToYear"})
        lines.push_back(std::string("Init") + member + "=" + std::to_string(season->GetLangInteger(member, lang, 0)));
    return lines;
}

TSeasonsModel::TDates TSeasonsModel::DatesOf(const std::vector<std::string>& answer)
{
    TDates dates;
    dates.FromDay = IntegerOf(answer, "FromDay");
    dates.FromMonth = IntegerOf(answer, "FromMonth");
    dates.FromYear = IntegerOf(answer, "FromYear");
    dates.ToDay = IntegerOf(answer, "ToDay");
    dates.ToMonth = IntegerOf(answer, "ToMonth");
    dates.ToYear = IntegerOf(answer, "ToYear");
    return dates;
}

bool TSeasonsModel::EndsBeforeStart(const TDates& d)
{
    return std::tie(d.ToYear, d.ToMonth, d.ToDay) < std::tie(d.FromYear, d.FromMonth, d.FromDay);
}

std::string TSeasonsModel::Check(const std::string& name, const TDates& dates)
{
    if (name.find_first_not_of(" \t") == std::string::npos)
        return Text("Enter the season name");
    if (EndsBeforeStart(dates))
        return Text("The season ends before it starts.");
    return {};
}

void TSeasonsModel::WriteDates(int itemId, const TDates& dates)
{
    TAbstractCObject* season = context_.Objects.GetObject(itemId, "ZOZSeason");
    if (!season)
        return;
    const std::string& lang = context_.LangCode;
    season->SetLangNumber("FromDay", lang, dates.FromDay, 0);
    season->SetLangNumber("FromMonth", lang, dates.FromMonth, 0);
    season->SetLangNumber("FromYear", lang, dates.FromYear, 0);
    season->SetLangNumber("ToDay", lang, dates.ToDay, 0);
    season->SetLangNumber("ToMonth", lang, dates.ToMonth, 0);
    season->SetLangNumber("ToYear", lang, dates.ToYear, 0);
}

std::string TSeasonsModel::Add(const std::vector<std::string>& answer, int* newItemId)
{
    const std::string name = ValueOfName(answer, "SeasonName");
    const TDates dates = DatesOf(answer);
    std::string error = Check(name, dates);
    if (!error.empty())
        return error;
    int id = 0;
    error = items_.Add(name, &id);
    if (!error.empty())
        return error;
    if (id == 0)
        return Text("Cannot create the season.");
    WriteDates(id, dates);
    if (newItemId)
        *newItemId = id;
    Load();
    return {};
}

std::string TSeasonsModel::Change(int itemId, const std::vector<std::string>& answer)
{
    const std::string name = ValueOfName(answer, "SeasonName");
    const TDates dates = DatesOf(answer);
    std::string error = Check(name, dates);
    if (error.empty())
        error = items_.Rename(itemId, name);
    if (!error.empty())
        return error;
    WriteDates(itemId, dates);
    Load();
    return {};
}

std::string TSeasonsModel::Delete(int itemId)
{
    std::string error = items_.Delete(itemId);
    Load();
    return error;
}
