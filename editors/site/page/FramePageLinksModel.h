#pragma once
// TFramePageLinksModel: what the "Links" tab of a page decides, without
// widgets. The page's templates name link groups (rules with isLink = 1);
// for each group the page chooses where its links come from (the template's
// default links, the parent's links, or only its own) and keeps its own
// links, to catalog pages or to any address, in the "Links" object.
// Every change goes into the page's objects of the editing session: the
// item's save keeps it, its cancel drops it.
#include "editors/site/SiteModelContext.h"

#include <string>
#include <utility>
#include <vector>

class TAbstractCObject;

class TFramePageLinksModel {
public:
    // One line under a group: a default or parent's link (no data), or a custom link of the page.
    struct TLinkEntry {
        std::string Caption;
        int Depth = 1;             // 1: directly under the group
        bool IsCustomLink = false;
        bool IsUrlLink = false;
        bool Enabled = true;       // parent's links: false for a disabled link (shown grey)
        std::string LinkTarget;    // the address, or the page's file name
        int InstanceId = 0;        // the link object
        int LinkIndex = 0;         // the value index in the group's "Link"
    };
    struct TLinkGroup {
        std::string Name;
        std::string Caption;  // "$1 ($2)": name and style
        int Style = 0;
        int InstanceId = 0;   // the group object, 0 while there is none
        std::vector<TLinkEntry> Entries;
    };
    // What the "SelectPageOrHyperlink" dialog answered.
    struct TLinkAnswer {
        std::string URL;
        bool PageLink = false;
        int PageId = 0;
        std::string Caption;
    };

    // Caption and value of the styles offered (style 1 can be stored but not chosen).
    static const std::vector<std::pair<std::string, int>>& StyleChoices();
    // Entries "level=caption" hung below a group by their levels.
    static std::vector<TLinkEntry> ArrangeByLevel(const std::vector<std::string>& entries, bool parentLinks);

    explicit TFramePageLinksModel(const TSiteModelContext& context) : context_(context) {}

    // Reads the link groups of the page's templates (once, as the tab is made).
    void Init();
    // The language whose links the next Load shows and the changes go into.
    void SetLanguage(const std::string& langCode) { context_.LangCode = langCode; }
    void Load();
    const std::vector<TLinkGroup>& Groups() const { return groups_; }
    // The style the combo shows for a group; -1 (no selection) for style 1.
    int ComboStyle(int group) const;
    void SetStyle(int group, int style);

    // Each answers false when nothing changed.
    bool AddLink(int group, const TLinkAnswer& answer);
    // The dialog's start values for editing a custom link ("name=value" lines).
    std::vector<std::string> EditStartValues(int group, int entry) const;
    bool EditLink(int group, int entry, const TLinkAnswer& answer);
    std::string DeleteQuestion(int group, int entry) const;
    // The error to show ("Cannot delete the link"), empty when deleted.
    std::string DeleteLink(int group, int entry);
    bool CanDelete(int group, int entry) const;
    bool CanMoveUp(int group, int entry) const;
    bool CanMoveDown(int group, int entry) const;
    // The moved link's new entry index, -1 when nothing moved.
    int MoveUp(int group, int entry);
    int MoveDown(int group, int entry);

    bool IsModified() const { return modified_; }

private:
    const TLinkEntry* Entry(int group, int entry) const;
    int Sibling(int group, int entry, int step) const;
    int Move(int group, int entry, int step);
    TAbstractCObject* GroupObject(int group);
    TAbstractCObject* EnsureGroupObject(int group);
    void WriteLink(TAbstractCObject& link, const TLinkAnswer& answer);
    void Refresh(int group);
    void AddCustomLinks(TLinkGroup& group);

    TSiteModelContext context_;
    std::vector<std::string> rules_;
    std::vector<std::string> groupNames_;
    std::vector<TLinkGroup> groups_;
    bool modified_ = false;
};
