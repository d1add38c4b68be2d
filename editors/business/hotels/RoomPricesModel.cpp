#include "editors/business/hotels/RoomPricesModel.h"

#include "catalog/Singletons.h"
#include "common/Amount.h"
#include "common/Translation.h"
#include "editors/business/ItemNames.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/MemberValueText.h"
#include "storage/NameValueLines.h"

#include <cstdlib>

namespace {

struct TPriceMember {
    const char* Key;
    const char* Member;
    const char* Caption;
};
const TPriceMember kPrices[] = {{"Single", "SinglePrice", "Single"},
                                {"Double", "DoublePrice", "Double"},
                                {"Triple", "TriplePrice", "Triple"},
                                {"Quadro", "QuadroPrice", "Quadro"},
                                {"Extra", "ExtraPersonPrice", "Extra Person"}};

std::string Shown(double value)
{
    return value == 0 ? std::string() : TAmount::ToDisplayText(value);
}

}  // namespace

TRoomPricesModel::TRoomPricesModel(const TSiteModelContext& context) : context_(context) {}

void TRoomPricesModel::Load()
{
    rows_.clear();
    std::vector<std::string> ids;
    context_.Objects.GetInstanceIds(context_.ItemId, kPriceClass, ids);
    const std::string& lang = context_.LangCode;
    for (const std::string& text : ids) {
        TRow row;
        row.InstanceId = std::atoi(text.c_str());
        if (TAbstractCObject* price = context_.Objects.GetObjectByInstance(context_.ItemId, row.InstanceId)) {
            row.Season = price->GetLangInteger("Season", lang, 0);
            if (row.Season > 0)
                row.SeasonName = TItemNames::NameOf(context_.Objects, row.Season, lang);
            row.Currency = price->GetLangString("Currency", lang, 0);
            row.Single = Shown(price->GetLangNumber("SinglePrice", lang, 0));
            row.Double = Shown(price->GetLangNumber("DoublePrice", lang, 0));
            row.Triple = Shown(price->GetLangNumber("TriplePrice", lang, 0));
            row.Quadro = Shown(price->GetLangNumber("QuadroPrice", lang, 0));
            row.Extra = Shown(price->GetLangNumber("ExtraPersonPrice", lang, 0));
        }
        rows_.push_back(row);
    }
}

std::vector<std::string> TRoomPricesModel::EditParams(int instanceId)
{
    TAbstractCObject* price = context_.Objects.GetObjectByInstance(context_.ItemId, instanceId);
    if (!price)
        return {};
    const std::string& lang = context_.LangCode;
    std::vector<std::string> lines{"Season=" + std::to_string(price->GetLangInteger("Season", lang, 0)),
                                   "Currency=" + price->GetLangString("Currency", lang, 0)};
    for (const TPriceMember& member : kPrices)
        lines.push_back(std::string(member.Key) + "=" + TAmount::ToText(price->GetLangNumber(member.Member, lang, 0)));
    return lines;
}

std::string TRoomPricesModel::CheckPrice(const std::string& caption, const std::string& text)
{
    if (text.find_first_not_of(" \t") == std::string::npos || TAmount::Read(text))
        return {};
    return TTranslation::OrEnglish(Translation).Format("The price \"$1\" is not a number.", {caption});
}

std::string TRoomPricesModel::Apply(int instanceId, const std::vector<std::string>& answer)
{
    const int season = TMemberValueText::ReadInteger(ValueOfName(answer, "Season"));
    const TTranslation& text = TTranslation::OrEnglish(Translation);
    if (season <= 0)
        return text.Format("Choose the season.", {});
    for (const TPriceMember& member : kPrices) {
        const std::string error = CheckPrice(text.Format(member.Caption, {}), ValueOfName(answer, member.Key));
        if (!error.empty())
            return error;
    }
    Load();
    for (const TRow& row : rows_)
        if (row.Season == season && row.InstanceId != instanceId)
            return text.Format("The room has a price for the season \"$1\" already.", {row.SeasonName});
    TAbstractCObject* price = instanceId
                                  ? context_.Objects.GetObjectByInstance(context_.ItemId, instanceId)
                                  : context_.Objects.CreateObject(context_.ItemId, kPriceClass, 0);
    if (!price)
        return text.Format("Cannot store the price.", {});
    const std::string& lang = context_.LangCode;
    price->SetLangNumber("Season", lang, season, 0);
    price->SetLangString("Currency", lang, ValueOfName(answer, "Currency"), 0);
    for (const TPriceMember& member : kPrices)
        price->SetLangNumber(member.Member, lang, TAmount::ReadOrZero(ValueOfName(answer, member.Key)), 0);
    Load();
    return {};
}

void TRoomPricesModel::Delete(int instanceId)
{
    context_.Objects.DeleteObject(context_.ItemId, instanceId);
    Load();
}
