#include "editors/media/templates/properties/TemplatePropertiesModel.h"

#include "common/WellKnownIds.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/CatalogTables.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <algorithm>

namespace {

constexpr int kBackgroundFlagMemberId = 7;

// A whole number written with digits only (a leading "-" allowed); 0 for anything else.
int Number(const std::string& text)
{
    const std::size_t digits = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() == digits || text.size() > digits + 9 ||
        text.find_first_not_of("0123456789", digits) != std::string::npos)
        return 0;
    return std::stoi(text);
}

bool HasCaption(const std::vector<TTemplatePropertiesModel::TChoice>& choices, const std::string& caption)
{
    return std::any_of(choices.begin(), choices.end(),
                       [&](const TTemplatePropertiesModel::TChoice& choice) { return choice.Caption == caption; });
}

}  // namespace

TTemplatePropertiesModel::TTemplatePropertiesModel(const TSiteModelContext& context, bool master)
    : context_(context), master_(master)
{
}

std::vector<TTemplatePropertiesModel::TChoice> TTemplatePropertiesModel::SchemeChoices(
    const std::vector<std::string>& nameIdLines, const std::string& none)
{
    std::vector<TChoice> choices{{none, "0"}};
    for (const std::string& line : nameIdLines) {
        // The name may hold "=": the id follows the last one.
        const std::size_t equals = line.rfind('=');
        if (equals != std::string::npos)
            choices.push_back({line.substr(0, equals), line.substr(equals + 1)});
    }
    return choices;
}

std::vector<TTemplatePropertiesModel::TChoice> TTemplatePropertiesModel::BackgroundImages(
    TAbstractDBConnection& connection, const std::string& catalogCode, const std::string& lang,
    const std::string& prefix)
{
    std::vector<TChoice> choices;
    TQueryGuard query(connection);
    query->SetSQL("SELECT i.ItemId, (SELECT MAX(s.StringValue) FROM CStrings AS s WHERE s.CatalogCode = "
                  "i.CatalogCode AND s.ItemId = CASE WHEN i.LinkedItemId > 0 THEN i.LinkedItemId ELSE i.ItemId END "
                  "AND s.ClassId = " + std::to_string(kNamesClassId) + " AND s.MemberId = " +
                  std::to_string(kItemNameMemberId) +
                  " AND (s.LangCode = :LangCode OR s.LangCode = 'XXX')) AS Caption FROM Items AS i WHERE "
                  "i.CatalogCode = :CatalogCode AND i.ItemId IN (SELECT n.ItemId FROM CNumbers AS n WHERE "
                  "n.CatalogCode = i.CatalogCode AND n.ClassId = " + std::to_string(kImageClassId) +
                  " AND n.MemberId = " + std::to_string(kBackgroundFlagMemberId) +
                  " AND n.NumberValue = 1) ORDER BY i.ItemId");
    query->SetParam("LangCode", lang);
    query->SetParam("CatalogCode", catalogCode);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        choices.push_back({FieldText(rows, "Caption"), prefix + std::to_string(FieldInteger(rows, "ItemId"))});
    return choices;
}

std::vector<TTemplatePropertiesModel::TChoice> TTemplatePropertiesModel::BackgroundChoices(
    std::vector<TChoice> open, const std::vector<TChoice>& styles, const std::vector<TChoice>& shared,
    const std::string& none)
{
    std::vector<TChoice> choices{{none, "0"}};
    for (TChoice& choice : open)
        choices.push_back(std::move(choice));
    for (const std::vector<TChoice>* source : {&styles, &shared})
        for (const TChoice& choice : *source)
            if (!HasCaption(choices, choice.Caption))
                choices.push_back(choice);
    std::stable_sort(choices.begin() + 1, choices.end(),
                     [](const TChoice& a, const TChoice& b) { return a.Caption < b.Caption; });
    return choices;
}

TTemplatePropertiesModel::TBackground TTemplatePropertiesModel::ParseBackground(const std::string& value,
                                                                                const std::string& openCatalogCode,
                                                                                const std::string& styleCatalogCode)
{
    TBackground background;
    if (!value.empty() && (value[0] == 's' || value[0] == 'a')) {
        background.CatalogCode = value[0] == 's' ? styleCatalogCode : kSharedStyleCatalog;
        background.Id = Number(value.substr(1));
        background.FromStyles = background.Id != 0;
    } else {
        background.CatalogCode = openCatalogCode;
        background.Id = Number(value);
    }
    return background;
}

TAbstractCObject* TTemplatePropertiesModel::Object(const char* classXmlTag) const
{
    return context_.Objects.GetObject(context_.ItemId, classXmlTag);
}

bool TTemplatePropertiesModel::NeedsOwnObject() const
{
    return master_ || context_.ItemType == kBodyTemplateType;
}

TAbstractCObject* TTemplatePropertiesModel::OwnObject() const
{
    if (master_)
        return Object("MasterTemplate");
    return context_.ItemType == kBodyTemplateType ? Object("BodyTemplate") : nullptr;
}

bool TTemplatePropertiesModel::Load()
{
    TAbstractCObject* names = Object("CommonNames");
    TAbstractCObject* version = Object("Version");
    TAbstractCObject* own = OwnObject();
    // Only master and body templates have an object of their own.
    loaded_ = names && version && (own || !NeedsOwnObject());
    if (!loaded_)
        return false;
    Name = names->GetLangString("ItemName", kNoLanguageCode, 0);
    loadedName_ = Name;
    Version = version->GetString("Version", 0);
    if (master_) {
        ColorScheme = std::to_string(own->GetInteger("ColorScheme", 0));
        FontScheme = std::to_string(own->GetInteger("FontScheme", 0));
        Background = std::to_string(own->GetInteger("BackgroundImageCode", 0));
    } else if (own) {
        HasPaging = own->GetBoolean("HasItemOnPage", 0);
        ItemsOnPage = std::to_string(own->GetInteger("ItemOnPage", 0));
        NeedCustomTemplate = own->GetBoolean("NeedCustomTemplate", 0);
    }
    return true;
}

TTemplatePropertiesModel::TBackground TTemplatePropertiesModel::Store(bool versionEditable,
                                                                      const std::string& styleCatalogCode)
{
    TBackground import;
    if (!loaded_)
        return import;
    TAbstractCObject* names = Object("CommonNames");
    TAbstractCObject* version = Object("Version");
    TAbstractCObject* own = OwnObject();
    if (!names || !version || (!own && NeedsOwnObject()))
        return import;
    names->SetLangString("ItemName", kNoLanguageCode, Name, 0);
    // A master template's name also goes into the language edited, where it
    // would otherwise hide the new name behind an old one.
    if (master_ && context_.LangCode != kNoLanguageCode)
        names->SetLangString("ItemName", context_.LangCode, Name, 0);
    loadedName_ = Name;
    if (master_) {
        own->SetNumber("ColorScheme", Number(ColorScheme), 0);
        own->SetNumber("FontScheme", Number(FontScheme), 0);
        const TBackground background = ParseBackground(Background, context_.CatalogCode, styleCatalogCode);
        own->SetNumber("BackgroundImageCode", background.Id, 0);
        storedBackground_ = background.Id;
        if (background.FromStyles)
            import = background;
    } else if (own) {
        own->SetBoolean("HasItemOnPage", HasPaging, 0);
        own->SetNumber("ItemOnPage", Number(ItemsOnPage), 0);
        own->SetBoolean("NeedCustomTemplate", NeedCustomTemplate, 0);
    }
    if (versionEditable)
        version->SetString("Version", Version, 0);
    return import;
}

void TTemplatePropertiesModel::TakeStoredBackground() { Background = std::to_string(storedBackground_); }
