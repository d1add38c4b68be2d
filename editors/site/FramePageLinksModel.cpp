#include "editors/site/page/FramePageLinksModel.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/Translation.h"
#include "generation/GenerationRule.h"
#include "generation/Templates.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

#include <algorithm>
#include <cstdlib>

namespace {

const TTranslation& Texts() { return TTranslation::OrEnglish(Translation); }

std::string StyleCaption(int style)
{
    static const char* const captions[] = {"Default links", "Add custom links to default", "Parent's links",
                                           "Only custom links"};
    return Texts().Translate(style >= 0 && style <= 3 ? captions[style] : captions[0]);
}

}  // namespace

const std::vector<std::pair<std::string, int>>& TFramePageLinksModel::StyleChoices()
{
    static const std::vector<std::pair<std::string, int>> choices{
        {"Use default links", 0}, {"Use parent's links", 2}, {"Use only custom links", 3}};
    return choices;
}

std::vector<TFramePageLinksModel::TLinkEntry> TFramePageLinksModel::ArrangeByLevel(
    const std::vector<std::string>& entries, bool parentLinks)
{
    // The first entry sets the reference level: entries of one level stay siblings.
    std::vector<TLinkEntry> arranged;
    int previousLevel = 0;
    int previousDepth = 0;
    for (const std::string& line : entries) {
        const std::size_t equals = line.find('=');
        const int level = std::atoi(line.substr(0, equals).c_str());
        TLinkEntry entry;
        entry.Caption = equals == std::string::npos ? std::string() : line.substr(equals + 1);
        if (parentLinks && entry.Caption.size() >= 2 && entry.Caption[1] == '#') {
            entry.Enabled = entry.Caption[0] == '1';
            entry.Caption.erase(0, 2);
        }
        if (level <= 0 || previousDepth == 0)
            entry.Depth = 1;
        else if (level > previousLevel)
            entry.Depth = previousDepth + 1;
        else
            entry.Depth = std::max(1, previousDepth - (previousLevel - level));
        previousLevel = level;
        previousDepth = entry.Depth;
        arranged.push_back(entry);
    }
    return arranged;
}

void TFramePageLinksModel::Init()
{
    rules_.clear();
    groupNames_.clear();
    TAbstractCObject* page = context_.Objects.GetObject(context_.ItemId, "CommonWebPage");
    if (!page)
        return;
    TTemplates& templates = context_.Data.GetPageGeneration().GetTemplates();
    int master = 0;
    int body = 0;
    templates.GetPageTemplates(*page, context_.ItemType, master, body, context_.Connection);
    if (!templates.WriteTemplateFiles(context_.ItemType, master, context_.Connection, context_.CatalogCode, body))
        return;
    templates.ReadRules(rules_, "[@isLink = 1]");
    for (const std::string& rule : rules_) {
        const std::string name = TGenerationRule(rule).Value("LinkGroup");
        if (!name.empty() && std::find(groupNames_.begin(), groupNames_.end(), name) == groupNames_.end())
            groupNames_.push_back(name);
    }
}

void TFramePageLinksModel::Load()
{
    groups_.clear();
    for (const std::string& name : groupNames_) {
        TLinkGroup group;
        group.Name = name;
        groups_.push_back(group);
    }
    if (TAbstractCObject* links = context_.Objects.GetObject(context_.ItemId, "Links")) {
        std::vector<std::string> instances;
        links->GetValues("LinkGroup", nullptr, instances);
        for (const std::string& text : instances) {
            TAbstractCObject* object = context_.Objects.GetObjectByInstance(context_.ItemId, std::atoi(text.c_str()));
            if (!object)
                continue;
            for (TLinkGroup& group : groups_)
                if (group.Name == object->GetString("LinkGroup", 0)) {
                    group.InstanceId = object->GetInstanceId();
                    group.Style = object->GetLangInteger("LinkStyles", context_.LangCode, 0);
                }
        }
    }
    for (std::size_t group = 0; group < groups_.size(); ++group)
        Refresh(static_cast<int>(group));
}

void TFramePageLinksModel::Refresh(int index)
{
    TLinkGroup& group = groups_[index];
    group.Entries.clear();
    std::vector<std::string> lines;
    TTemplates& templates = context_.Data.GetPageGeneration().GetTemplates();
    if (group.Style == 0 || group.Style == 1)
        templates.GetDefaultLinks(context_.ItemId, context_.TreeItemId, context_.CatalogCode, context_.Objects,
                                  context_.Connection, rules_, lines, group.Name, context_.LangCode,
                                  context_.ItemType);
    else if (group.Style == 2)
        templates.GetParentLinks(context_.ItemId, context_.TreeItemId, context_.CatalogCode, context_.Objects,
                                 context_.Connection, rules_, lines, group.Name, context_.LangCode,
                                 context_.ItemType);
    group.Entries = ArrangeByLevel(lines, group.Style == 2);
    AddCustomLinks(group);
    group.Caption = Texts().Format("$1 ($2)", {Texts().Translate(group.Name), StyleCaption(group.Style)}, false);
}

void TFramePageLinksModel::AddCustomLinks(TLinkGroup& group)
{
    if (group.InstanceId == 0)
        return;
    TAbstractCObject* object = context_.Objects.GetObjectByInstance(context_.ItemId, group.InstanceId);
    if (!object)
        return;
    std::vector<std::string> indexes, ids;
    object->GetLangValues("Link", context_.LangCode, &indexes, ids);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const int id = std::atoi(ids[i].c_str());
        TAbstractCObject* link = id ? context_.Objects.GetObjectByInstance(context_.ItemId, id) : nullptr;
        if (!link)
            continue;
        TLinkEntry entry;
        entry.IsCustomLink = true;
        entry.IsUrlLink = !link->GetLangBoolean("IsPageLink", context_.LangCode, 0);
        if (entry.IsUrlLink) {
            entry.LinkTarget = link->GetLangString("URL", context_.LangCode, 0);
            entry.Caption = link->GetLangString("Caption", context_.LangCode, 0);
        } else {
            const int page = link->GetLangInteger("PageItemId", context_.LangCode, 0);
            entry.LinkTarget = RootObject->GetPageFileNameWithExt(page, 0, 0, "html", false, &context_.Connection);
            entry.Caption = context_.Data.GetItemName(page, context_.Connection, context_.LangCode);
        }
        entry.InstanceId = id;
        entry.LinkIndex = std::atoi(indexes[i].c_str());
        group.Entries.push_back(entry);
    }
}

int TFramePageLinksModel::ComboStyle(int group) const
{
    const int style = groups_[group].Style;
    return style == 1 ? -1 : style;
}

TAbstractCObject* TFramePageLinksModel::GroupObject(int group)
{
    const int instance = groups_[group].InstanceId;
    return instance ? context_.Objects.GetObjectByInstance(context_.ItemId, instance) : nullptr;
}

TAbstractCObject* TFramePageLinksModel::EnsureGroupObject(int group)
{
    if (TAbstractCObject* existing = GroupObject(group))
        return existing;
    TAbstractCObject* links = context_.Objects.GetObject(context_.ItemId, "Links");
    TAbstractCObject* object = links ? links->AddSubObject("LinkGroup", "LinkGroup", context_.LangCode) : nullptr;
    if (!object)
        return nullptr;
    object->SetString("LinkGroup", groups_[group].Name, 0);
    groups_[group].InstanceId = object->GetInstanceId();
    return object;
}

void TFramePageLinksModel::SetStyle(int group, int style)
{
    TAbstractCObject* object = EnsureGroupObject(group);
    if (!object)
        return;
    groups_[group].Style = style;
    object->SetLangNumber("LinkStyles", context_.LangCode, style, 0);
    Refresh(group);
    modified_ = true;
}

void TFramePageLinksModel::WriteLink(TAbstractCObject& link, const TLinkAnswer& answer)
{
    const std::string& lang = context_.LangCode;
    if (answer.PageLink)
        link.SetLangNumber("PageItemId", lang, answer.PageId, 0);
    else {
        link.SetLangString("URL", lang, answer.URL, 0);
        link.SetLangString("Caption", lang, answer.Caption, 0);
    }
    link.SetLangBoolean("IsPageLink", lang, answer.PageLink, 0);
}

bool TFramePageLinksModel::AddLink(int group, const TLinkAnswer& answer)
{
    if (answer.URL.empty() || group < 0 || group >= static_cast<int>(groups_.size()))
        return false;
    TAbstractCObject* object = EnsureGroupObject(group);
    TAbstractCObject* link = object ? object->AddSubObject("Link", "LinkObject", context_.LangCode) : nullptr;
    if (!link)
        return false;
    WriteLink(*link, answer);
    Refresh(group);
    modified_ = true;
    return true;
}

const TFramePageLinksModel::TLinkEntry* TFramePageLinksModel::Entry(int group, int entry) const
{
    if (group < 0 || group >= static_cast<int>(groups_.size()))
        return nullptr;
    const std::vector<TLinkEntry>& entries = groups_[group].Entries;
    return entry >= 0 && entry < static_cast<int>(entries.size()) ? &entries[entry] : nullptr;
}

bool TFramePageLinksModel::CanDelete(int group, int entry) const
{
    const TLinkEntry* link = Entry(group, entry);
    return link && link->IsCustomLink && link->InstanceId != 0;
}

std::vector<std::string> TFramePageLinksModel::EditStartValues(int group, int entry) const
{
    if (!CanDelete(group, entry))
        return {};
    TAbstractCObject* link = context_.Objects.GetObjectByInstance(context_.ItemId, Entry(group, entry)->InstanceId);
    if (!link)
        return {};
    const std::string& lang = context_.LangCode;
    if (link->GetLangBoolean("IsPageLink", lang, 0))
        return {"PageId=" + std::to_string(link->GetLangInteger("PageItemId", lang, 0))};
    return {"InitURL=" + link->GetLangString("URL", lang, 0), "InitCaption=" + link->GetLangString("Caption", lang, 0)};
}

bool TFramePageLinksModel::EditLink(int group, int entry, const TLinkAnswer& answer)
{
    if (answer.URL.empty() || !CanDelete(group, entry))
        return false;
    TAbstractCObject* link = context_.Objects.GetObjectByInstance(context_.ItemId, Entry(group, entry)->InstanceId);
    if (!link)
        return false;
    WriteLink(*link, answer);
    Refresh(group);
    modified_ = true;
    return true;
}

std::string TFramePageLinksModel::DeleteQuestion(int group, int entry) const
{
    const TLinkEntry* link = Entry(group, entry);
    return Texts().Format("Do you really want to delete \"$1\" link?", {link ? link->Caption : std::string()});
}

std::string TFramePageLinksModel::DeleteLink(int group, int entry)
{
    if (!CanDelete(group, entry))
        return std::string();
    const int instance = Entry(group, entry)->InstanceId;
    TAbstractCObject* object = GroupObject(group);
    if (!object || !object->DeleteNumberValue("Link", context_.LangCode, instance, -1))
        return Texts().Translate("Cannot delete the link");
    context_.Objects.DeleteObject(context_.ItemId, instance);
    Refresh(group);
    modified_ = true;
    return std::string();
}

// The index of the entry's neighbour at its own depth in Step's direction; -1 when none.
int TFramePageLinksModel::Sibling(int group, int entry, int step) const
{
    const TLinkEntry* self = Entry(group, entry);
    if (!self)
        return -1;
    for (int i = entry + step; const TLinkEntry* other = Entry(group, i); i += step) {
        if (other->Depth == self->Depth)
            return i;
        if (other->Depth < self->Depth)
            return -1;
    }
    return -1;
}

bool TFramePageLinksModel::CanMoveUp(int group, int entry) const
{
    const int sibling = Sibling(group, entry, -1);
    return CanDelete(group, entry) && sibling >= 0 && Entry(group, sibling)->IsCustomLink;
}

bool TFramePageLinksModel::CanMoveDown(int group, int entry) const
{
    const int sibling = Sibling(group, entry, 1);
    return CanDelete(group, entry) && sibling >= 0 && Entry(group, sibling)->IsCustomLink;
}

int TFramePageLinksModel::MoveUp(int group, int entry) { return CanMoveUp(group, entry) ? Move(group, entry, -1) : -1; }

int TFramePageLinksModel::MoveDown(int group, int entry)
{
    return CanMoveDown(group, entry) ? Move(group, entry, 1) : -1;
}

int TFramePageLinksModel::Move(int group, int entry, int step)
{
    const TLinkEntry self = *Entry(group, entry);
    const TLinkEntry other = *Entry(group, Sibling(group, entry, step));
    TAbstractCObject* object = GroupObject(group);
    if (!object)
        return -1;
    object->ExchangeIndexes("Link", self.LinkIndex, other.LinkIndex);
    Refresh(group);
    modified_ = true;
    const std::vector<TLinkEntry>& entries = groups_[group].Entries;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].IsCustomLink && entries[i].InstanceId == self.InstanceId)
            return static_cast<int>(i);
    return -1;
}
