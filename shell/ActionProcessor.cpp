#include "shell/ActionProcessor.h"

#include "common/CommonGui.h"
#include "common/ParamList.h"
#include "shell/ActionHost.h"
#include "gui/MainWindowMessages.h"
#include "shell/TreeCommands.h"

#include <charconv>
#include <map>

namespace {

// Decimal integer; 0 for empty or malformed text.
int IntOf(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end ? value : 0;
}

// Settings and catalog properties the verbs read.
constexpr int kSettingAccessServices = 88;
constexpr int kSettingPreviewCatalog = 89;
constexpr int kPropertyLocalFolder = 710;
constexpr int kPropertyLocalIndexFile = 711;
constexpr int kPropertyFtpHost = 714;
constexpr int kPropertyFtpDirectory = 715;
constexpr int kPropertyFtpIndexFile = 716;
constexpr int kPropertyWebAddress = 718;
// The link marker of the add-new verbs: a new item of its own placed again at the tree position.
constexpr int kLinkMarker = -2;

}  // namespace

struct TActionProcessor::TRequest {
    explicit TRequest(const std::string& action) : Action(action), Params(action)
    {
        Verb = Params.Value("Action");
        ItemId = Int("ItemId");
        TreeItemId = Int("TreeItemId");
        if (TreeItemId == 0)
            TreeItemId = ItemId;
        ItemType = Int("ItemType");
        ParentItemId = Int("ParentItemId");
    }
    int Int(const char* name) const { return IntOf(Params.Value(name)); }
    std::string Text(const char* name) const { return Params.Value(name); }
    // What the action asks an editor to open: its item, tree placement, type, tab and the action itself.
    TEditorOpening Opening() const
    {
        TEditorOpening opening;
        opening.ItemId = ItemId;
        opening.TreeItemId = TreeItemId;
        opening.ItemType = ItemType;
        opening.TabName = Text("TabName");
        opening.Action = Action;
        return opening;
    }

    std::string Action;
    TParamList Params;
    std::string Verb;
    int ItemId = 0;
    int TreeItemId = 0;
    int ItemType = 0;
    int ParentItemId = 0;
};

const TActionProcessor::TVerb TActionProcessor::kVerbs[] = {
    {"ProgramSettings", &TActionProcessor::ProgramSettings},
    {"NewCatalogFromHost", &TActionProcessor::NewCatalogFromHost},
    {"MainPageEditor", &TActionProcessor::MainPageEditor},
    {"NewWindowEditor", &TActionProcessor::NewWindowEditor},
    {"WizardWindowEditor", &TActionProcessor::NewWindowEditor},
    {"LastWebTreeItem", &TActionProcessor::LastWebTreeItem},
    {"AddNewChildItem", &TActionProcessor::AddNewItem},
    {"AddNewPossibleItem", &TActionProcessor::AddNewItem},
    {"AddNewChildLinkedItem", &TActionProcessor::AddNewLinkedItem},
    {"AddNewPossibleLinkedItem", &TActionProcessor::AddNewLinkedItem},
    {"ChangeLang", &TActionProcessor::ChangeLang},
    {"PostEditItem", &TActionProcessor::PostEditItemVerb},
    {"NewFromSelected", &TActionProcessor::NewFromSelected},
    {"SelectFirstItem", &TActionProcessor::TreeVerb},
    {"LocateOnWebTree", &TActionProcessor::TreeVerb},
    {"SelectTree", &TActionProcessor::SelectTree},
    {"CoCManagement", &TActionProcessor::Publishing},
    {"PublishLocally", &TActionProcessor::Publishing},
    {"PublishByFtp", &TActionProcessor::Publishing},
    {"PublishOnTolvex", &TActionProcessor::Publishing},
    {"PublishReport", &TActionProcessor::Publishing},
    {"PreviewOnTolvex", &TActionProcessor::PreviewOnTolvex},
    {"UploadZarivuro", &TActionProcessor::Publishing},
    {"DownloadZarivuro", &TActionProcessor::Publishing},
    {"UploadEbay", &TActionProcessor::Publishing},
    {"DownloadEbay", &TActionProcessor::Publishing},
    {"UploadUnspsc", &TActionProcessor::Publishing},
    {"DownloadUnspsc", &TActionProcessor::Publishing},
    {"UploadHarmonized", &TActionProcessor::Publishing},
    {"DownloadHarmonized", &TActionProcessor::Publishing},
    {"UploadTolvexReferences", &TActionProcessor::Publishing},
    {"DownloadTolvexReferences", &TActionProcessor::Publishing},
    {"UploadGlobalTables", &TActionProcessor::Publishing},
    {"DownloadGlobalTables", &TActionProcessor::Publishing},
    {"PreviewOnFtp", &TActionProcessor::PreviewOnFtp},
    {"PreviewLocally", &TActionProcessor::PreviewLocally},
    {"Import", &TActionProcessor::Import},
    {"Export", &TActionProcessor::Export},
    {"RefreshMainPageEditor", &TActionProcessor::RefreshMainPageEditor},
    {"Refresh", &TActionProcessor::Refresh},
    {"ApplyNewStyle", &TActionProcessor::ApplyNewStyle},
    {"ApplyNewStyleForChildren", &TActionProcessor::ApplyNewStyleForChildren},
    {"DownloadStyle", &TActionProcessor::Publishing},
    {"UploadStyle", &TActionProcessor::Publishing},
    {"AccessWebServices", &TActionProcessor::AccessWebServices},
    {"UpdateReportMenu", &TActionProcessor::UpdateReportMenu},
    {"CancelAction", &TActionProcessor::EditingCancelled},
};

TActionProcessor::TActionProcessor(TActionHost& host) : host_(host) {}

const std::vector<std::string>& TActionProcessor::Verbs()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const TVerb& verb : kVerbs)
            list.push_back(verb.Name);
        return list;
    }();
    return names;
}

std::string TActionProcessor::Format(const std::string& tmpl, const std::vector<std::string>& args)
{
    std::string text = host_.Translate(tmpl);
    for (size_t i = args.size(); i-- > 0;) {
        const std::string mark = "$" + std::to_string(i + 1);
        for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + args[i].size()))
            text.replace(at, mark.size(), args[i]);
    }
    return text;
}

void TActionProcessor::NotAvailable(const std::string& what)
{
    host_.NotAvailable(what);
}

// ---- running ----------------------------------------------------------------------------

void TActionProcessor::ExecuteAction(const std::string& action, bool check)
{
    if (action.empty())
        return;
    const TRequest request(action);  // a malformed "%" escape raises here
    const bool open = host_.IsCatalogOpen();
    if (open && (check || request.Text("Check") == "yes") && !host_.CanLeave())
        return;
    const bool anywhere = request.Verb == "ProgramSettings" || request.Verb == "NewCatalogFromHost";
    for (const TVerb& verb : kVerbs) {
        if (request.Verb != verb.Name)
            continue;
        if (open || anywhere)
            (this->*verb.Handler)(request);
        return;
    }
    host_.Gui().ShowWarning(Format("Unknown action \"$1\" in \"$2\"", {request.Verb, action}), false);
}

std::string TActionProcessor::GetActionString(int actionId)
{
    return host_.GetActionString(actionId);
}

void TActionProcessor::ExecuteActionById(int actionId, bool check)
{
    ExecuteAction(GetActionString(actionId), check);
}

void TActionProcessor::PostActionById(int actionId, bool check)
{
    if (!host_.IsCatalogOpen() || (check && !host_.CanLeave()))
        return;
    host_.PostMainWindowMessage(WM_EXECUTE_ACTION_ID, actionId, 0);
}

void TActionProcessor::QueueAction(const std::string& action, bool check)
{
    if (!host_.IsCatalogOpen() || (check && !host_.CanLeave()))
        return;
    ++queueCount_;
    queue_[queueCount_] = action;
    host_.PostMainWindowMessage(WM_RUN_QUEUED_ACTION, queueCount_, 0);
}

void TActionProcessor::RunQueuedAction(int queueNumber)
{
    const auto found = queue_.find(queueNumber);
    if (found == queue_.end())
        return;
    // Out of the queue before it runs: the action may queue others, or fail.
    const std::string action = std::move(found->second);
    queue_.erase(found);
    ExecuteAction(action, false);
}

void TActionProcessor::PostEditItem(int itemId, int treeItemId)
{
    host_.PostMainWindowMessage(WM_EDIT_ITEM, treeItemId, itemId);
}

void TActionProcessor::Click(const TTolvexItemCommand& command, TClickedEntryKind kind, bool check)
{
    if (command.ActionId != 0)
        ExecuteActionById(command.ActionId, check);
    else if (kind == TClickedEntryKind::MenuItem && !command.ActionString.empty())
        ExecuteAction(command.ActionString, check);
}

void TActionProcessor::ItemClick(const TTolvexItemCommand& command, TClickedEntryKind kind)
{
    Click(command, kind, true);
}

void TActionProcessor::ItemClickWithoutCheck(const TTolvexItemCommand& command, TClickedEntryKind kind)
{
    Click(command, kind, false);
}

// ---- add-new actions -------------------------------------------------------------------------

bool TActionProcessor::IsActionPossible(const std::string& action)
{
    if (action.empty() || !host_.IsCatalogOpen())
        return true;
    const TRequest request(action);
    const bool add = request.Verb == "AddNewChildItem" || request.Verb == "AddNewPossibleItem";
    const bool linked = request.Verb == "AddNewChildLinkedItem" || request.Verb == "AddNewPossibleLinkedItem";
    if (!add && !(linked && request.ItemType != 0 && request.ParentItemId != 0))
        return true;
    // The web tree decides where an item may be added; without it nothing can be.
    const std::unique_ptr<TTreeCommands> trees = host_.MakeTreeCommands();
    return trees && trees->CanAddNewItem(request.ItemType, linked ? kLinkMarker : 0,
                                         request.Verb.find("Possible") != std::string::npos,
                                         request.Int("BetweenStart"), request.Int("BetweenEnd"));
}

bool TActionProcessor::IsActionPossibleById(int actionId)
{
    return IsActionPossible(GetActionString(actionId));
}

// ---- editors ------------------------------------------------------------------------------------

bool TActionProcessor::OpenItemInMainEditor(int itemId, int treeItemId, int itemType, int parentItemId,
                                            const std::string& tabName, const std::string& action)
{
    TEditorOpening opening;
    opening.ItemId = itemId;
    opening.TreeItemId = treeItemId;
    opening.ItemType = itemType;
    opening.ParentItemId = parentItemId;
    opening.TabName = tabName;
    opening.Action = action;
    return OpenInMainEditor(opening);
}

bool TActionProcessor::OpenInMainEditor(const TEditorOpening& opening)
{
    if (!host_.CanLeave())
        return false;
    if (!host_.HasItemEditor()) {
        NotAvailable("The item editor");
        return false;
    }
    return host_.OpenInEditor(opening);
}

// ---- verbs --------------------------------------------------------------------------------------

void TActionProcessor::ProgramSettings(const TRequest&)
{
    host_.ShowSettingsDialog();
}

void TActionProcessor::NewCatalogFromHost(const TRequest&)
{
    host_.NewCatalogFromHost();
}

void TActionProcessor::EditingCancelled(const TRequest&)
{
    // The item editor says that its changes were cancelled; nothing here follows it.
}

void TActionProcessor::MainPageEditor(const TRequest& r)
{
    host_.ClearTransformCache();
    const std::string editorName = r.Text("EditorName");
    // Item -1 empties the editor pane: callers leave the item being edited
    // before they change the catalog under it.
    if (r.ItemId == -1) {
        if (host_.EmptyEditorPane())
            host_.ResetActionButtons();
        return;
    }
    if (r.ItemId == 0 && r.ItemType == 0 && editorName == "SearchResult" && host_.ShowSearchResult(r.Action))
        return;
    if (r.ItemId == 0 && r.ItemType == 0 && editorName.empty())
        return;
    TEditorOpening opening = r.Opening();
    opening.ParentItemId = r.ParentItemId;
    if (r.ItemId == 0 && r.ItemType == 0)
        opening.EditorName = editorName;
    if (!OpenInMainEditor(opening))
        return;
    // The catalog-action button that ran this action shows pressed.
    host_.ResetActionButtons();
    host_.CheckActionButton(r.Action);
}

void TActionProcessor::NewWindowEditor(const TRequest& r)
{
    if (r.ItemId == 0 && r.ItemType == 0)
        return;
    if (!host_.HasItemEditor()) {
        NotAvailable("The editor window");
        return;
    }
    TEditorOpening opening = r.Opening();
    // The verb itself asks for the wizard.
    opening.Wizard = r.Verb == "WizardWindowEditor";
    host_.OpenInEditorWindow(opening);
}

void TActionProcessor::LastWebTreeItem(const TRequest& r)
{
    const std::unique_ptr<TTreeCommands> trees = host_.MakeTreeCommands();
    if (!trees)
        NotAvailable("The web tree");
    else if (trees->SelectLastItem())
        host_.UncheckActionButton(r.Action);
}

void TActionProcessor::AddNewItem(const TRequest& r)
{
    const std::unique_ptr<TTreeCommands> trees = host_.MakeTreeCommands();
    if (!trees) {
        NotAvailable("Adding items to the web tree");
        return;
    }
    const bool linked = r.Verb.find("Linked") != std::string::npos;
    trees->AddNewItem(r.ItemType, linked ? kLinkMarker : 0, r.Verb.find("Possible") != std::string::npos,
                      r.Int("BetweenStart"), r.Int("BetweenEnd"), r.ParentItemId);
}

void TActionProcessor::AddNewLinkedItem(const TRequest& r)
{
    if (r.ItemType != 0 && r.ParentItemId != 0)
        AddNewItem(r);
}

void TActionProcessor::ChangeLang(const TRequest& r)
{
    const std::string code = r.Text("LangCode");
    if (!code.empty() && code != host_.GetCurrentLangCode())
        host_.SetCurrentLangCode(code);
}

void TActionProcessor::PostEditItemVerb(const TRequest& r)
{
    if (r.ItemId == 0)
        return;
    PostEditItem(r.ItemId, r.TreeItemId);
    host_.ResetActionButtons();
}

void TActionProcessor::NewFromSelected(const TRequest& r)
{
    std::string id;
    if (!host_.Gui().InputValue("Item Id", "Enter new item id", id, true))
        return;
    if (const std::unique_ptr<TTreeCommands> trees = host_.MakeTreeCommands())
        trees->CopySelected(r.Text("Tree") == "Templates", id);
    else
        NotAvailable("Copying tree items");
}

void TActionProcessor::TreeVerb(const TRequest& r)
{
    const std::unique_ptr<TTreeCommands> trees = host_.MakeTreeCommands();
    if (!trees)
        NotAvailable("The web tree");
    else if (r.Verb == "SelectFirstItem")
        trees->SelectFirstItem();
    else
        trees->LocateOnWebTree(r.ItemId);
}

void TActionProcessor::SelectTree(const TRequest& r)
{
    if (r.ItemId == 0)
        return;
    const std::string caption = r.Text("Caption");
    if (!caption.empty())
        host_.SetTemplatesCaption(caption);
    const std::unique_ptr<TTreeCommands> trees = host_.MakeTreeCommands();
    if (!trees) {
        NotAvailable("The templates tree");
        return;
    }
    trees->SelectTemplatesRoot(r.ItemId);
    // The tree the user chose is shown even when the templates pane was hidden.
    host_.ShowTemplatesTree();
    host_.UpdateTemplateTreeButtons();
}

void TActionProcessor::Publishing(const TRequest& r)
{
    if (r.Verb == "PublishReport" && host_.PublishReport(r.ItemId))
        return;
    if (host_.Publish(r.Verb))
        return;
    // The operations behind these verbs come with later work.
    static const std::map<std::string, std::string> kNotYet{
        {"PublishReport", "Report publishing"},
        {"CoCManagement", "The catalog-network management"}};
    const auto known = kNotYet.find(r.Verb);
    if (known != kNotYet.end())
        NotAvailable(known->second);
    else
        NotAvailable(Format("\"$1\"", {r.Verb}));
}

void TActionProcessor::OpenInBrowser(const std::string& url)
{
    host_.OpenUrl(url);
}

void TActionProcessor::PreviewOnTolvex(const TRequest&)
{
    OpenInBrowser(host_.GetSetting(kSettingPreviewCatalog) + "&catalogcode=" +
                  TParamList::UrlEncode(host_.GetCatalogCode()));
}

void TActionProcessor::PreviewOnFtp(const TRequest&)
{
    const std::string host = host_.GetCatalogProperty(kPropertyFtpHost);
    if (host.empty())
        return;
    std::string url = host_.GetCatalogProperty(kPropertyWebAddress);
    if (url.empty())
        url = host + "/" + host_.GetCatalogProperty(kPropertyFtpDirectory) + "/" +
              host_.GetCatalogProperty(kPropertyFtpIndexFile);
    OpenInBrowser(url);
}

void TActionProcessor::PreviewLocally(const TRequest&)
{
    // The folder is stored as chosen, with or without a closing separator.
    std::string folder = host_.GetCatalogProperty(kPropertyLocalFolder);
    if (folder.empty())
        return;
    if (folder.back() != '/' && folder.back() != '\\')
        folder += '/';
    OpenInBrowser(folder + host_.GetCatalogProperty(kPropertyLocalIndexFile));
}

void TActionProcessor::Import(const TRequest& r)
{
    if (r.Text("Type") == "Story" && !host_.Publish("ImportStory"))
        NotAvailable("The story import");
}

void TActionProcessor::Export(const TRequest& r)
{
    // "FtpFroogle" is an operation without effect.
    if (r.Text("Type") == "Froogle" && !host_.Publish("ExportFroogle"))
        NotAvailable("The product feed export");
}

void TActionProcessor::RefreshMainPageEditor(const TRequest& r)
{
    if (!host_.HasItemEditor()) {
        NotAvailable("The item editor");
        return;
    }
    host_.RefreshEditor();
    // Data written under the editor (a received record set, ...) is offered for saving.
    if (r.Text("Modified") == "yes")
        host_.MarkEditorModified();
}

void TActionProcessor::Refresh(const TRequest& r)
{
    // The templates tree's name is spelled so in the shipped definitions.
    const std::string name = r.Text("Name");
    if (name != "TermplatesTree" && name != "WebTree")
        return;
    if (const std::unique_ptr<TTreeCommands> trees = host_.MakeTreeCommands())
        trees->Refresh(name == "TermplatesTree", r.ItemId);
    else
        NotAvailable(name == "WebTree" ? "The web tree" : "The templates tree");
}

void TActionProcessor::ApplyNewStyle(const TRequest&)
{
    if (!host_.CanLeave())
        return;
    if (host_.GetUserRole() > 1) {
        host_.Gui().ShowError("You have no permissions for load styles");
        return;
    }
    host_.SelectStyle(1, true);
}

void TActionProcessor::ApplyNewStyleForChildren(const TRequest&)
{
    if (host_.Gui().AskQuestion("Do you really want to apply new style for all members?") == mrYes)
        host_.ApplyStyleToMembers();
}

void TActionProcessor::AccessWebServices(const TRequest&)
{
    OpenInBrowser(host_.GetSetting(kSettingAccessServices) + "&catalogCode=" +
                  TParamList::UrlEncode(host_.GetCatalogCode()) + "&userName=" +
                  TParamList::UrlEncode(host_.GetUserName()) + "&password=" +
                  TParamList::UrlEncode(host_.GetPassword()));
}

void TActionProcessor::UpdateReportMenu(const TRequest&)
{
    host_.UpdateReportMenu();
}
