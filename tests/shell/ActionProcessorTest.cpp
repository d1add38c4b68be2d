// The action processor without a window: action strings parsed and
// dispatched to a recording host.
#include "shell/ActionHost.h"
#include "shell/ActionProcessor.h"
#include "gui/MainWindowMessages.h"
#include "support/ScriptedGui.h"

#include "common/Exceptions.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

class TRecordingActionHost : public TActionHost {
public:
    TScriptedGui gui;
    bool open = true;
    bool canLeave = true;
    int role = 0;
    std::string lang = "EN";
    std::map<int, std::string> actions;
    std::map<int, std::string> settings;
    std::map<int, std::string> properties;
    std::vector<std::string> calls;
    std::vector<TMainWindowPost> posts;
    int leaveQuestions = 0;

    TCommonGui& Gui() override { return gui; }
    std::string Translate(const std::string& text) override { return text; }
    bool IsCatalogOpen() override { return open; }
    bool CanLeave() override
    {
        ++leaveQuestions;
        return canLeave;
    }
    std::string GetActionString(int id) override { return actions.count(id) ? actions[id] : ""; }
    std::string GetCatalogCode() override { return "my shop"; }
    std::string GetCatalogProperty(int id) override { return properties[id]; }
    int GetUserRole() override { return role; }
    std::string GetUserName() override { return "anna&co"; }
    std::string GetPassword() override { return "p=1"; }
    std::string GetCurrentLangCode() override { return lang; }
    void SetCurrentLangCode(const std::string& code) override { calls.push_back("SetLang " + code); }
    void ClearTransformCache() override { calls.push_back("ClearTransformCache"); }
    std::string GetSetting(int id) override { return settings[id]; }
    void ShowSettingsDialog() override { calls.push_back("Settings"); }
    void NewCatalogFromHost() override { calls.push_back("NewCatalogFromHost"); }
    bool SelectStyle(int mode, bool reopen) override
    {
        calls.push_back("SelectStyle " + std::to_string(mode) + (reopen ? " reopen" : ""));
        return true;
    }
    void OpenUrl(const std::string& url) override { calls.push_back("Open " + url); }
    void PostMainWindowMessage(int message, std::int64_t w, std::int64_t l) override
    {
        posts.push_back({message, w, l});
    }
    void ResetActionButtons() override { calls.push_back("ResetButtons"); }
    void CheckActionButton(const std::string& a) override { calls.push_back("Check " + a); }
    void UncheckActionButton(const std::string& a) override { calls.push_back("Uncheck " + a); }
    void SetTemplatesCaption(const std::string& c) override { calls.push_back("TemplatesCaption " + c); }
    void UpdateReportMenu() override { calls.push_back("UpdateReportMenu"); }
    void NotAvailable(const std::string& what) override { calls.push_back("NotAvailable " + what); }

    // The item editors, once a test gives the host one.
    bool hasEditor = false;
    std::vector<TEditorOpening> openings;
    bool HasItemEditor() override { return hasEditor; }
    bool OpenInEditor(const TEditorOpening& opening) override
    {
        openings.push_back(opening);
        calls.push_back("OpenInEditor");
        return true;
    }
    bool OpenInEditorWindow(const TEditorOpening& opening) override
    {
        openings.push_back(opening);
        calls.push_back(opening.Wizard ? "OpenInWizard" : "OpenInEditorWindow");
        return true;
    }
    bool EmptyEditorPane() override
    {
        calls.push_back("EmptyEditorPane");
        return canLeave;
    }
    void RefreshEditor() override { calls.push_back("RefreshEditor"); }
    void MarkEditorModified() override { calls.push_back("MarkEditorModified"); }
    void ApplyStyleToMembers() override { calls.push_back("ApplyStyleToMembers"); }
};

struct TVerbCase {
    const char* name;
    const char* action;
    std::vector<std::string> calls;
};

std::ostream& operator<<(std::ostream& out, const TVerbCase& c) { return out << c.name; }

class ActionVerbs : public ::testing::TestWithParam<TVerbCase> {};

TEST_P(ActionVerbs, DispatchToTheirTargets)
{
    TRecordingActionHost host;
    host.settings[88] = "http://services/?a=1";
    host.settings[89] = "http://preview/?b=2";
    host.properties[710] = "/srv/site/";
    host.properties[711] = "index.html";
    host.properties[714] = "ftp.example";
    host.properties[715] = "www";
    host.properties[716] = "start.html";
    TActionProcessor processor(host);
    processor.ExecuteAction(GetParam().action, false);
    EXPECT_EQ(host.calls, GetParam().calls);
    EXPECT_TRUE(host.gui.Messages("warning").empty());
}

const TVerbCase kVerbCases[] = {
    {"ProgramSettings", "Action=ProgramSettings", {"Settings"}},
    {"NewCatalogFromHost", "Action=NewCatalogFromHost", {"NewCatalogFromHost"}},
    {"EmptyEditorPane", "Action=MainPageEditor&ItemId=-1", {"ClearTransformCache", "EmptyEditorPane", "ResetButtons"}},
    {"OpenItem", "Action=MainPageEditor&ItemId=5", {"ClearTransformCache", "NotAvailable The item editor"}},
    {"OpenNamedEditor", "Action=MainPageEditor&EditorName=SearchResult",
     {"ClearTransformCache", "NotAvailable The item editor"}},
    {"NewWindowWithoutTarget", "Action=NewWindowEditor", {}},
    {"NewWindowWithType", "Action=NewWindowEditor&ItemType=7", {"NotAvailable The editor window"}},
    {"LinkedWithoutParent", "Action=AddNewChildLinkedItem&ItemType=3", {}},
    {"ChangeLangSame", "Action=ChangeLang&LangCode=EN", {}},
    {"ChangeLangExact", "Action=ChangeLang&LangCode=en", {"SetLang en"}},
    {"ChangeLangEmpty", "Action=ChangeLang", {}},
    {"PostEditItem", "Action=PostEditItem&ItemId=9", {"ResetButtons"}},
    {"SelectTreeWithCaption", "Action=SelectTree&ItemId=5&Caption=Mail+%241",
     {"TemplatesCaption Mail $1", "NotAvailable The templates tree"}},
    {"SelectTreeWithoutRoot", "Action=SelectTree&Caption=X", {}},
    {"PublishLocally", "Action=PublishLocally", {"NotAvailable \"PublishLocally\""}},
    {"PreviewOnTolvex", "Action=PreviewOnTolvex", {"Open http://preview/?b=2&catalogcode=my+shop"}},
    {"PreviewOnFtpFallsBackToHost", "Action=PreviewOnFtp", {"Open ftp.example/www/start.html"}},
    {"PreviewLocallyFolderWithSeparator", "Action=PreviewLocally", {"Open /srv/site/index.html"}},
    {"AccessWebServicesEncodes", "Action=AccessWebServices",
     {"Open http://services/?a=1&catalogCode=my+shop&userName=anna%26co&password=p%3D1"}},
    {"ImportOtherType", "Action=Import&Type=Stories", {}},
    {"ExportFtpFroogleHasNoEffect", "Action=Export&Type=FtpFroogle", {}},
    {"RefreshMisspelledTemplates", "Action=Refresh&Name=TermplatesTree", {"NotAvailable The templates tree"}},
    {"RefreshCorrectSpellingDoesNothing", "Action=Refresh&Name=TemplatesTree", {}},
    {"ApplyNewStyle", "Action=ApplyNewStyle", {"SelectStyle 1 reopen"}},
    {"UpdateReportMenu", "Action=UpdateReportMenu", {"UpdateReportMenu"}},
    {"KeysIgnoreCase", "action=ChangeLang&langcode=DE", {"SetLang DE"}},
    {"QuotedAmpersandStaysInValue", "Action=ChangeLang&\"LangCode=A&B\"", {"SetLang A&B"}},
    {"EmptyString", "", {}},
    // Sent by the item editor on every Cancel: known, and nothing follows it.
    {"EditingCancelledIsNoUnknownAction", "Action=CancelAction", {}},
};

INSTANTIATE_TEST_SUITE_P(Table, ActionVerbs, ::testing::ValuesIn(kVerbCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ActionProcessor, EveryVerbOfTheTableDispatchesWithoutFailing)
{
    for (const std::string& verb : TActionProcessor::Verbs()) {
        TRecordingActionHost host;
        host.gui.QueueInput("12");
        host.gui.QueueAnswer(mrYes);
        TActionProcessor processor(host);
        EXPECT_NO_THROW(processor.ExecuteAction("Action=" + verb + "&ItemId=3&ItemType=2&ParentItemId=1&Type=Story"
                                                "&LangCode=DE&Name=WebTree",
                                                true))
            << verb;
        EXPECT_TRUE(host.gui.Messages("warning").empty()) << verb;
    }
}

TEST(ActionProcessor, UnknownOrMiscasedVerbGivesAClearMessageAndRunsNothing)
{
    TRecordingActionHost host;
    TActionProcessor processor(host);
    processor.ExecuteAction("Action=posteditItem&ItemId=3", false);
    processor.ExecuteAction("ItemId=3", false);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(host.posts.empty());
    const std::vector<std::string> warnings = host.gui.Messages("warning");
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0], "Unknown action \"posteditItem\" in \"Action=posteditItem&ItemId=3\"");
}

TEST(ActionProcessor, MalformedEscapeRaisesBeforeAnythingRuns)
{
    TRecordingActionHost host;
    TActionProcessor processor(host);
    EXPECT_THROW(processor.ExecuteAction("Action=ChangeLang&LangCode=D%", false), ETolvexException);
    EXPECT_THROW(processor.ExecuteAction("Action=ChangeLang&LangCode=%zz", false), ETolvexException);
    EXPECT_TRUE(host.calls.empty());
}

TEST(ActionProcessor, WithoutCatalogOnlyProgramWideVerbsRun)
{
    TRecordingActionHost host;
    host.open = false;
    TActionProcessor processor(host);
    processor.ExecuteAction("Action=PublishLocally", true);
    processor.ExecuteAction("Action=ChangeLang&LangCode=DE", true);
    processor.ExecuteAction("Action=ProgramSettings", true);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Settings"}));
    EXPECT_EQ(host.leaveQuestions, 0);  // nothing to leave while no catalog is open
}

TEST(ActionProcessor, CheckAsksTheEditorAndARefusalStopsTheAction)
{
    struct Case {
        const char* action;
        bool check;
        bool canLeave;
        int questions;
        bool runs;
    };
    const Case cases[] = {
        {"Action=ChangeLang&LangCode=DE", false, false, 0, true},
        {"Action=ChangeLang&LangCode=DE", true, false, 1, false},
        {"Action=ChangeLang&LangCode=DE&Check=yes", false, false, 1, false},
        {"Action=ChangeLang&LangCode=DE&Check=yes", false, true, 1, true},
        {"Action=ChangeLang&LangCode=DE&Check=Yes", false, false, 0, true},  // "yes" compared exactly
    };
    for (const Case& c : cases) {
        TRecordingActionHost host;
        host.canLeave = c.canLeave;
        TActionProcessor processor(host);
        processor.ExecuteAction(c.action, c.check);
        EXPECT_EQ(host.leaveQuestions, c.questions) << c.action;
        EXPECT_EQ(!host.calls.empty(), c.runs) << c.action;
    }
}

TEST(ActionProcessor, ActionIdsRunTheDefinitionsStrings)
{
    TRecordingActionHost host;
    host.actions[4] = "Action=ChangeLang&LangCode=FR";
    TActionProcessor processor(host);
    processor.ExecuteActionById(4, false);
    processor.ExecuteActionById(99, false);  // unknown id: nothing
    EXPECT_EQ(host.calls, (std::vector<std::string>{"SetLang FR"}));
    EXPECT_TRUE(host.gui.Shown().empty());
}

TEST(ActionProcessor, QueuedActionsRunInOrderOnceAndLeaveTheQueue)
{
    TRecordingActionHost host;
    TActionProcessor processor(host);
    processor.QueueAction("Action=ChangeLang&LangCode=DE", true);
    processor.QueueAction("Action=ChangeLang&LangCode=FR", true);
    ASSERT_EQ(host.posts.size(), 2u);
    EXPECT_EQ(host.posts[0].Message, WM_RUN_QUEUED_ACTION);
    EXPECT_EQ(host.posts[0].WParam, 1);
    EXPECT_EQ(host.posts[1].WParam, 2);
    EXPECT_EQ(processor.QueuedCount(), 2u);

    for (const TMainWindowPost& post : host.posts)
        processor.RunQueuedAction(static_cast<int>(post.WParam));
    processor.RunQueuedAction(1);  // delivered twice: runs once
    processor.RunQueuedAction(7);  // never queued
    EXPECT_EQ(host.calls, (std::vector<std::string>{"SetLang DE", "SetLang FR"}));
    EXPECT_EQ(processor.QueuedCount(), 0u);

    // Numbers are never reused.
    processor.QueueAction("Action=UpdateReportMenu", false);
    EXPECT_EQ(host.posts.back().WParam, 3);
}

TEST(ActionProcessor, QueuedRunSkipsTheEditorQuestionAskedWhenQueuing)
{
    TRecordingActionHost host;
    TActionProcessor processor(host);
    processor.QueueAction("Action=ChangeLang&LangCode=DE&Check=yes", true);
    EXPECT_EQ(host.leaveQuestions, 1);
    host.canLeave = false;
    processor.RunQueuedAction(1);
    // Check=yes in the string still asks; the processor's own check does not.
    EXPECT_EQ(host.leaveQuestions, 2);
    EXPECT_TRUE(host.calls.empty());
}

TEST(ActionProcessor, NothingIsQueuedOrPostedWithoutCatalogOrWhenTheEditorRefuses)
{
    TRecordingActionHost host;
    TActionProcessor processor(host);
    host.open = false;
    processor.QueueAction("Action=UpdateReportMenu", false);
    processor.PostActionById(3, false);
    host.open = true;
    host.canLeave = false;
    processor.QueueAction("Action=UpdateReportMenu", true);
    processor.PostActionById(3, true);
    EXPECT_TRUE(host.posts.empty());
    EXPECT_EQ(processor.QueuedCount(), 0u);

    host.canLeave = true;
    processor.PostActionById(3, true);
    processor.PostEditItem(5, 7);
    ASSERT_EQ(host.posts.size(), 2u);
    EXPECT_EQ(host.posts[0].Message, WM_EXECUTE_ACTION_ID);
    EXPECT_EQ(host.posts[0].WParam, 3);
    EXPECT_EQ(host.posts[1].Message, WM_EDIT_ITEM);
    EXPECT_EQ(host.posts[1].WParam, 7);  // tree item id
    EXPECT_EQ(host.posts[1].LParam, 5);  // item id
}

TEST(ActionProcessor, PostEditItemVerbDefaultsTheTreePlacementToTheItem)
{
    TRecordingActionHost host;
    TActionProcessor processor(host);
    processor.ExecuteAction("Action=PostEditItem&ItemId=5", false);
    processor.ExecuteAction("Action=PostEditItem&ItemId=5&TreeItemId=7", false);
    ASSERT_EQ(host.posts.size(), 2u);
    EXPECT_EQ(host.posts[0].WParam, 5);
    EXPECT_EQ(host.posts[1].WParam, 7);
}

TEST(ActionProcessor, ClickedEntriesRunTheirIdOrString)
{
    TRecordingActionHost host;
    host.actions[2] = "Action=ChangeLang&LangCode=IT";
    TActionProcessor processor(host);
    processor.ItemClick({0, "", "", "", ""}, TClickedEntryKind::MenuItem);                        // nothing
    processor.ItemClick({0, "Action=ChangeLang&LangCode=ES", "", "", ""}, TClickedEntryKind::MenuItem);
    processor.ItemClick({2, "Action=ChangeLang&LangCode=ES", "", "", ""}, TClickedEntryKind::MenuItem);  // id first
    processor.ItemClick({0, "Action=ChangeLang&LangCode=PT", "", "", ""}, TClickedEntryKind::ToolbarItem);  // value only
    EXPECT_EQ(host.calls, (std::vector<std::string>{"SetLang ES", "SetLang IT"}));
    EXPECT_EQ(host.leaveQuestions, 2);

    host.canLeave = false;
    processor.ItemClick({2, "", "", "", ""}, TClickedEntryKind::MenuItem);
    processor.ItemClickWithoutCheck({0, "Action=ChangeLang&LangCode=NL", "", "", ""}, TClickedEntryKind::MenuItem);
    EXPECT_EQ(host.calls.back(), "SetLang NL");
    EXPECT_EQ(host.calls.size(), 3u);
}

TEST(ActionProcessor, AddNewActionsArePossibleOnlyWhereTheTreeAllows)
{
    TRecordingActionHost host;
    TActionProcessor processor(host);
    EXPECT_TRUE(processor.IsActionPossible(""));
    EXPECT_TRUE(processor.IsActionPossible("Action=ChangeLang&LangCode=DE"));
    EXPECT_TRUE(processor.IsActionPossible("Action=AddNewChildLinkedItem&ItemType=3"));  // no parent
    EXPECT_FALSE(processor.IsActionPossible("Action=AddNewChildItem&ItemType=3"));
    EXPECT_FALSE(processor.IsActionPossible("Action=AddNewPossibleLinkedItem&ItemType=3&ParentItemId=4"));
    host.open = false;
    EXPECT_TRUE(processor.IsActionPossible("Action=AddNewChildItem&ItemType=3"));
}

TEST(ActionProcessor, StylesNeedAPowerUserAndTheQuestionForMembers)
{
    TRecordingActionHost host;
    host.role = 2;
    TActionProcessor processor(host);
    processor.ExecuteAction("Action=ApplyNewStyle", false);
    EXPECT_EQ(host.gui.Messages("error"), (std::vector<std::string>{"You have no permissions for load styles"}));
    EXPECT_TRUE(host.calls.empty());

    host.gui.QueueAnswer(mrNo);
    processor.ExecuteAction("Action=ApplyNewStyleForChildren", false);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(host.gui.Messages("question").size(), 1u);
    host.gui.QueueAnswer(mrYes);
    processor.ExecuteAction("Action=ApplyNewStyleForChildren", false);
    EXPECT_EQ(host.calls, std::vector<std::string>{"ApplyStyleToMembers"});
}

// What the verbs that open editors hand the editors: the item, its tree
// placement (the item's own when none is named), its type, its parent, the
// tab and the named editor, decoded.
TEST(ActionProcessor, EditorVerbsHandOnPlacementParentAndTab)
{
    struct TCase {
        const char* action;
        const char* call;
        int itemId, treeItemId, itemType, parentItemId;
        const char* tab;
        const char* editor;
    };
    const TCase cases[] = {
        {"Action=MainPageEditor&ItemId=5", "OpenInEditor", 5, 5, 0, 0, "", ""},
        {"Action=MainPageEditor&ItemId=5&TreeItemId=7&ParentItemId=3&TabName=A%3BB+C", "OpenInEditor", 5, 7, 0, 3,
         "A;B C", ""},
        {"Action=MainPageEditor&ItemId=-2&ItemType=3001&ParentItemId=100001", "OpenInEditor", -2, -2, 3001, 100001,
         "", ""},
        {"Action=MainPageEditor&ItemType=10&TabName=T", "OpenInEditor", 0, 0, 10, 0, "T", ""},
        {"Action=MainPageEditor&EditorName=ImagesManager", "OpenInEditor", 0, 0, 0, 0, "", "ImagesManager"},
        {"Action=NewWindowEditor&ItemId=5&TreeItemId=7&TabName=T", "OpenInEditorWindow", 5, 7, 0, 0, "T", ""},
        {"Action=WizardWindowEditor&ItemType=4001", "OpenInWizard", 0, 0, 4001, 0, "", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.action);
        TRecordingActionHost host;
        host.hasEditor = true;
        TActionProcessor processor(host);
        processor.ExecuteAction(c.action, false);
        ASSERT_EQ(host.openings.size(), 1u);
        const TEditorOpening& o = host.openings.front();
        EXPECT_EQ(host.calls.at(std::string(c.call) == "OpenInEditor" ? 1 : 0), c.call);
        EXPECT_EQ(o.ItemId, c.itemId);
        EXPECT_EQ(o.TreeItemId, c.treeItemId);
        EXPECT_EQ(o.ItemType, c.itemType);
        EXPECT_EQ(o.ParentItemId, c.parentItemId);
        EXPECT_EQ(o.TabName, c.tab);
        EXPECT_EQ(o.EditorName, c.editor);
        EXPECT_EQ(o.Action, c.action);
        EXPECT_EQ(o.Wizard, std::string(c.call) == "OpenInWizard");
    }
}

TEST(ActionProcessor, OpenedEditorPressesItsActionButtonAndARefusedOneDoesNot)
{
    TRecordingActionHost host;
    host.hasEditor = true;
    TActionProcessor processor(host);
    processor.ExecuteAction("Action=MainPageEditor&ItemType=10", false);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ClearTransformCache", "OpenInEditor", "ResetButtons",
                                                    "Check Action=MainPageEditor&ItemType=10"}));
    host.calls.clear();
    host.canLeave = false;
    processor.ExecuteAction("Action=MainPageEditor&ItemType=10", false);
    processor.ExecuteAction("Action=MainPageEditor&ItemId=-1", false);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ClearTransformCache", "ClearTransformCache", "EmptyEditorPane"}));
    EXPECT_TRUE(host.openings.size() == 1u);
}

TEST(ActionProcessor, RefreshMarksTheEditorModifiedOnlyWhenAsked)
{
    TRecordingActionHost host;
    host.hasEditor = true;
    TActionProcessor processor(host);
    processor.ExecuteAction("Action=RefreshMainPageEditor", false);
    processor.ExecuteAction("Action=RefreshMainPageEditor&Modified=Yes", false);  // "yes" compared exactly
    EXPECT_EQ(host.calls, (std::vector<std::string>{"RefreshEditor", "RefreshEditor"}));
    host.calls.clear();
    processor.ExecuteAction("Action=RefreshMainPageEditor&Modified=yes", false);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"RefreshEditor", "MarkEditorModified"}));
}

TEST(ActionProcessor, PreviewLocallyJoinsFolderAndIndexWithOneSeparator)
{
    for (const char* folder : {"/srv/my site", "/srv/my site/"}) {
        TRecordingActionHost host;
        host.properties[710] = folder;
        host.properties[711] = "index.html";
        TActionProcessor processor(host);
        processor.ExecuteAction("Action=PreviewLocally", false);
        EXPECT_EQ(host.calls, std::vector<std::string>{"Open /srv/my site/index.html"}) << folder;
    }
    // Nothing was published yet: nothing to show.
    TRecordingActionHost host;
    TActionProcessor processor(host);
    processor.ExecuteAction("Action=PreviewLocally", false);
    EXPECT_TRUE(host.calls.empty());
}

}  // namespace
