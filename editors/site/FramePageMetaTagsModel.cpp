#include "editors/site/page/FramePageMetaTagsModel.h"

#include "common/CommonFunctionsDetail.h"
#include "editors/site/page/TransitionEffects.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/MemberValueText.h"

#include <chrono>
#include <cstdio>
#include <ctime>

using common_detail::ReplaceAll;
using common_detail::Trim;

namespace {

constexpr const char* kWebPage = "CommonWebPage";
constexpr const char* kKeywords = "CommonKeywords";
constexpr const char* kOwnValues = "NotUseParentProperties";

// The object of each group (the "Basic" group has two).
constexpr const char* kGroupClass[] = {kWebPage, "WebDocument", "DocumentLanguages", "SearchEngine", "IEEffects",
                                       "WebDocumentOther"};

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

bool IsTimeMember(const std::string& member) { return member == "EnterTime" || member == "ExitTime"; }

// The choice that an "Other" text stands in for, and the reverse.
const std::map<std::string, std::string>& OtherOfChoice()
{
    static const std::map<std::string, std::string> pairs{
        {"Language", "LanguageOther"}, {"Charset", "CharsetOther"}, {"Dialect", "DialectOther"}};
    return pairs;
}

TFramePageMetaTagsModel::TDateTime Now()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace

TFramePageMetaTagsModel::TFramePageMetaTagsModel(const TSiteModelContext& context)
    : context_(context), expiryDate_(Now())
{
}

const std::vector<std::string>& TFramePageMetaTagsModel::Members(TGroup group)
{
    static const std::vector<std::string> members[] = {
        {"Title", "MetaDescription", "MetaKeywords", "UseParentKeywords"},
        {"Author", "AuthorEmail", "Copyright", "Publisher", "PublisherEmail", "Placename", "Contributors", "Class",
         "Rights", "Type", "State", "Distribution", "Rating", "Classification"},
        {"Language", "LanguageOther", "Charset", "CharsetOther", "Dialect", "DialectOther", "CharsetWindowTarget"},
        {"AtomzAbstract", "AtomzTarget", "Revisit", "Robot", "CacheControl"},
        {"Enter", "Exit", "EnterTime", "ExitTime"},
        {"Refresh", "RefreshURL", "ReferalURL", "ReferalGenerator", "ReferalPragma"}};
    return members[group];
}

bool TFramePageMetaTagsModel::ParentRuleApplies(int parentItemId) { return parentItemId < 0 || parentItemId >= 100; }

void TFramePageMetaTagsModel::ClearObject(TAbstractCObject& object)
{
    // Emptying an object's values does not mark it modified, and an
    // unmodified object is not written: without the mark the stored values
    // would stay and the page would keep its own values. Setting and
    // removing the own-values flag (a member of every group object) marks it.
    object.ClearAll();
    object.SetBoolean(kOwnValues, true, 0);
    object.ClearMember(kOwnValues, "");
}

void TFramePageMetaTagsModel::ClearBasic(TAbstractCObject& webPage, TAbstractCObject& keywords)
{
    ClearObject(keywords);
    for (const char* member : {"MetaDescription", kOwnValues, "Title"})
        webPage.ClearMember(member, "");
}

// ---- expiry dates -----------------------------------------------------------------------------

bool TFramePageMetaTagsModel::ParseExpiry(const std::string& text, TDateTime& value)
{
    std::string rest = text;
    const std::size_t comma = rest.find(',');
    if (comma != std::string::npos)
        rest = rest.substr(comma + 1);
    rest = Trim(rest);
    ReplaceAll(rest, "GMT", "");
    rest = Trim(rest);
    for (int month = 0; month < 12; ++month)
        ReplaceAll(rest, kMonths[month], std::to_string(month + 1));
    const std::size_t lastBlank = rest.rfind(' ');
    for (std::size_t i = 0; lastBlank != std::string::npos && i < lastBlank; ++i)
        if (rest[i] == ' ')
            rest[i] = '/';
    TDateTime read;
    char tail = 0;
    if (std::sscanf(rest.c_str(), "%d/%d/%d %d:%d:%d%c", &read.Day, &read.Month, &read.Year, &read.Hour,
                    &read.Minute, &read.Second, &tail) != 6)
        return false;
    const std::chrono::year_month_day day{std::chrono::year(read.Year), std::chrono::month(read.Month),
                                          std::chrono::day(read.Day)};
    if (!day.ok() || read.Hour < 0 || read.Hour > 23 || read.Minute < 0 || read.Minute > 59 || read.Second < 0 ||
        read.Second > 59)
        return false;
    value = read;
    return true;
}

std::string TFramePageMetaTagsModel::FormatExpiry(const TDateTime& value)
{
    const std::chrono::year_month_day day{std::chrono::year(value.Year), std::chrono::month(value.Month),
                                          std::chrono::day(value.Day)};
    const std::chrono::weekday weekday{std::chrono::sys_days(day)};
    char text[64];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", kWeekdays[weekday.c_encoding()],
                  value.Day, kMonths[(value.Month + 11) % 12], value.Year, value.Hour, value.Minute, value.Second);
    return text;
}

// ---- loading ------------------------------------------------------------------------------------

TAbstractCObject* TFramePageMetaTagsModel::Object(const char* classTag) const
{
    return context_.Objects.GetObject(context_.ItemId, classTag);
}

std::vector<TAbstractCObject*> TFramePageMetaTagsModel::GroupObjects(TGroup group) const
{
    std::vector<TAbstractCObject*> objects{Object(kGroupClass[group])};
    if (group == mgBasic)
        objects.push_back(Object(kKeywords));
    for (TAbstractCObject* object : objects)
        if (!object)
            return {};
    return objects;
}

TAbstractCObject* TFramePageMetaTagsModel::MemberObject(TGroup group, const std::string& member) const
{
    const bool keywords = group == mgBasic && (member == "MetaKeywords" || member == "UseParentKeywords");
    return Object(keywords ? kKeywords : kGroupClass[group]);
}

void TFramePageMetaTagsModel::Load()
{
    for (int group = 0; group < mgGroupCount; ++group)
        LoadGroup(static_cast<TGroup>(group));
    modified_ = false;
}

void TFramePageMetaTagsModel::LoadGroup(TGroup group)
{
    values_[group].clear();
    useParent_[group] = false;
    const std::vector<TAbstractCObject*> objects = GroupObjects(group);
    if (objects.empty())
        return;
    const std::string& lang = context_.LangCode;
    for (const std::string& member : Members(group)) {
        TAbstractCObject& object = *MemberObject(group, member);
        values_[group][member] = IsTimeMember(member)
                                     ? TTransitionEffects::TextOfSeconds(object.GetLangNumber(member, lang, 0))
                                     : object.GetValueText(member, lang, 0, false);
    }
    useParent_[group] = ShowsParentBoxes() && !objects.front()->GetBoolean(kOwnValues, 0);
    if (group != mgOther)
        return;
    TAbstractCObject& other = *objects.front();
    const std::string expires = other.GetString("Expires", 0);
    const std::string value = other.GetString("ExpiresValue", 0);
    expiry_ = expires.empty() ? exNone : expires == "2" ? exRfc850 : exAbsolute;
    expiryText_ = expiry_ == exRfc850 ? value : std::string();
    if (expiry_ == exAbsolute)
        ParseExpiry(value, expiryDate_);
}

// ---- editing -------------------------------------------------------------------------------------

void TFramePageMetaTagsModel::SetUseParent(TGroup group, bool useParent)
{
    if (!ShowsParentBoxes() || useParent_[group] == useParent)
        return;
    useParent_[group] = useParent;
    modified_ = true;
}

std::string TFramePageMetaTagsModel::Value(TGroup group, const std::string& member) const
{
    const auto found = values_[group].find(member);
    return found == values_[group].end() ? std::string() : found->second;
}

void TFramePageMetaTagsModel::SetValue(TGroup group, const std::string& member, const std::string& text)
{
    std::map<std::string, std::string>& values = values_[group];
    values[member] = text;
    if (group == mgLanguages) {
        for (const auto& [choice, other] : OtherOfChoice()) {
            if (member == choice && !text.empty())
                values[other].clear();
            if (member == other && !text.empty())
                values[choice].clear();
        }
        if (member == "CharsetWindowTarget" && text == "1") {
            values["Charset"].clear();
            values["CharsetOther"].clear();
        }
    }
    modified_ = true;
}

bool TFramePageMetaTagsModel::IsCharsetEnabled() const
{
    return IsEditable(mgLanguages) && Value(mgLanguages, "CharsetWindowTarget") != "1";
}

void TFramePageMetaTagsModel::SetExpiry(TExpiry expiry)
{
    expiry_ = expiry;
    modified_ = true;
}

void TFramePageMetaTagsModel::SetExpiryDate(const TDateTime& value)
{
    expiryDate_ = value;
    modified_ = true;
}

void TFramePageMetaTagsModel::SetExpiryText(const std::string& text)
{
    expiryText_ = text;
    modified_ = true;
}

// ---- storing --------------------------------------------------------------------------------------

void TFramePageMetaTagsModel::Store()
{
    if (!modified_)
        return;
    for (int group = 0; group < mgGroupCount; ++group)
        StoreGroup(static_cast<TGroup>(group));
    modified_ = false;
}

void TFramePageMetaTagsModel::StoreGroup(TGroup group)
{
    const std::vector<TAbstractCObject*> objects = GroupObjects(group);
    const std::string& lang = context_.LangCode;
    if (objects.empty() || (group == mgBasic && lang.empty()))
        return;
    if (useParent_[group]) {
        if (group == mgBasic)
            ClearBasic(*objects[0], *objects[1]);
        else
            ClearObject(*objects.front());
        return;
    }
    for (TAbstractCObject* object : objects)
        object->SetBoolean(kOwnValues, true, 0);
    for (const std::string& member : Members(group)) {
        TAbstractCObject& object = *MemberObject(group, member);
        if (IsTimeMember(member))
            object.SetLangNumber(member, lang, TTransitionEffects::SecondsOfText(Value(group, member)), 0);
        else
            object.SetValueText(member, lang, Value(group, member), 0);
    }
    if (group == mgOther)
        StoreExpiry(*objects.front());
}

void TFramePageMetaTagsModel::StoreExpiry(TAbstractCObject& other)
{
    switch (expiry_) {
    case exNone:
        other.SetString("Expires", "", 0);
        other.SetString("ExpiresValue", "", 0);
        break;
    case exAbsolute:
        other.SetString("Expires", "1", 0);
        other.SetString("ExpiresValue", FormatExpiry(expiryDate_), 0);
        break;
    case exRfc850:
        other.SetString("Expires", "2", 0);
        other.SetString("ExpiresValue", expiryText_, 0);
        break;
    }
}
