#include "editors/framework/TolvexControlClass.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "common/GlobalSettings.h"
#include "common/Translation.h"
#include "editors/framework/DialogWriteChannel.h"
#include "editors/framework/EditorHost.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/EditorShell.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/TolvexItemManager.h"
#include "gui/MainWindowMessages.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/ObjectCollection.h"
#include "storage/UnitOfWorkScope.h"

TTolvexControlClass::TTolvexControlClass(const TEditingServices& services) : services_(services) {}

TTolvexControlClass::~TTolvexControlClass()
{
    // The collection goes before the connection it reads through; an own
    // connection's open unit is rolled back when it closes.
    collection_.reset();
    if (ownConnection_)
        TDialogWriteChannel::SetOwner(*ownConnection_, nullptr);
    ownConnection_.reset();
    ownWindow_.reset();
}

TCatalogData* TTolvexControlClass::Data() const
{
    return services_.Root.GetCatalogData();
}

void TTolvexControlClass::Initialize(TAbstractDBConnection* connection)
{
    TCatalogData* data = Data();
    if (!data)
        throw EDeveloperTolvexException("An editing context needs an open catalog");
    if (connection) {
        connection_ = connection;
    } else {
        ownConnection_ = data->GetConnectionFactory().OpenSecondConnection();
        connection_ = ownConnection_.get();
        // Dialogs opened on this connection commit their writes through this context.
        TDialogWriteChannel::SetOwner(*ownConnection_, this);
    }
    collection_ = std::make_unique<TObjectCollection>(services_.Root.ObjectContext());
    collection_->Open(data->GetCatalogCode(), *connection_);
}

TEditorPanel& TTolvexControlClass::CreateContainerForm()
{
    if (!ownWindow_) {
        if (!services_.Shell || !(ownWindow_ = services_.Shell->CreateEditorWindow()))
            throw EDeveloperTolvexException("The program has no editor windows");
        window_ = ownWindow_.get();
        ownsWindow_ = true;
        window_->Bind(*this);
        SetModified(false);
    }
    return window_->Panel();
}

void TTolvexControlClass::NotifyLanguageChanged()
{
    for (TItemEditorContainer* container : containers_)
        container->RefreshEditors();
    if (window_)
        window_->LanguageChanged();
}

// ---- host --------------------------------------------------------------------------------------

TEditorHost* TTolvexControlClass::Host() const
{
    return window_ ? window_ : services_.MainHost;
}

void TTolvexControlClass::SetCaption(const std::string& text)
{
    if (TEditorHost* host = Host())
        host->SetCaption(text);
}

void TTolvexControlClass::SetModified(bool modified)
{
    if (IsForwarded()) {
        parent_->SetModified(modified);
        return;
    }
    modified_ = modified;
    TEditorHost* host = Host();
    if (!host)
        return;
    host->SetSaveEnabled(modified);
    // A window can always be cancelled; the pane's Cancel follows the changes.
    host->SetCancelEnabled(window_ ? true : modified);
}

bool TTolvexControlClass::IsModified() const
{
    return IsForwarded() ? parent_->IsModified() : modified_;
}

void TTolvexControlClass::SetCancelVisible(bool visible)
{
    if (TEditorHost* host = Host())
        host->SetCancelVisible(visible);
}

void TTolvexControlClass::SetOkCaption(const std::string& text)
{
    if (TEditorHost* host = Host())
        host->SetOkCaption(text);
}

int TTolvexControlClass::ShowModal()
{
    if (!window_ || !ownsWindow_)
        return 1;
    // Ok saves while the window is still open: a save that fails keeps the
    // window and the user's edits.
    const int result = window_->ShowModal(preferredWidth_, preferredHeight_, [this] { return SaveChanges(); });
    if (result != 1)
        CancelChanges();
    return result;
}

void TTolvexControlClass::SetStatusText(int panel, const std::string& text)
{
    if (window_ && window_->HasStatusPanel(panel))
        window_->SetStatusText(panel, text);
    else if (services_.MainHost)
        services_.MainHost->SetStatusText(panel, text);
}

void TTolvexControlClass::ShowSavePanel(bool visible)
{
    if (!window_ && services_.MainHost)
        services_.MainHost->ShowSavePanel(visible);
}

bool TTolvexControlClass::SetContainerForm(TEditorWindow* window)
{
    if (!window)
        return false;
    window_ = window;
    return true;
}

void TTolvexControlClass::PressOk()
{
    if (TEditorHost* host = Host())
        host->PressOk();
}

void TTolvexControlClass::PressCancel()
{
    if (TEditorHost* host = Host())
        host->PressCancel();
}

// ---- catalog ---------------------------------------------------------------------------------------

TAbstractDBConnectionFactory& TTolvexControlClass::GetConnectionFactory()
{
    TCatalogData* data = Data();
    if (!data)
        throw EDeveloperTolvexException("No catalog is open");
    return data->GetConnectionFactory();
}

TAbstractDBConnectionFactory* TTolvexControlClass::GetDefinitionFactory()
{
    return services_.Root.Catalog().GetDefinition().GetDefinitionDatabase(kOpenCatalogType);
}

TReferences& TTolvexControlClass::GetReferences()
{
    return services_.Root.References();
}

TAbstractDBConnection& TTolvexControlClass::GetConnection()
{
    if (parent_)
        return parent_->GetConnection();
    if (!connection_)
        throw EDeveloperTolvexException("The editing context is not initialized");
    return *connection_;
}

std::string TTolvexControlClass::GetCatalogCode() const
{
    TCatalogData* data = Data();
    return data ? data->GetCatalogCode() : std::string();
}

std::string TTolvexControlClass::GetTempDir() const
{
    return services_.Root.Settings().GetTempDir();
}

std::string TTolvexControlClass::GetAppDir() const
{
    return services_.Root.Settings().AppDir();
}

TTolvexObjectFactory& TTolvexControlClass::GetObjectFactory()
{
    return services_.Root.Catalog().GetObjectFactory();
}

int TTolvexControlClass::GetUserRole() const
{
    TCatalogData* data = Data();
    return data ? static_cast<int>(data->GetUserRole()) : static_cast<int>(urOther);
}

std::string TTolvexControlClass::GetCatalogOption(int optionId)
{
    if (parent_)
        return parent_->GetCatalogOption(optionId);
    const auto pending = pendingOptions_.find(optionId);
    if (pending != pendingOptions_.end())
        return pending->second;
    return Data()->GetCatalogProperty(optionId, GetConnection());
}

void TTolvexControlClass::SetCatalogOption(int optionId, const std::string& value)
{
    if (parent_) {
        parent_->SetCatalogOption(optionId, value);
        return;
    }
    // Written with the save, so that nothing holds the write lock meanwhile.
    pendingOptions_[optionId] = value;
    TCatalogData* data = Data();
    DeferUntilSave("CatalogOption:" + std::to_string(optionId), [data, optionId, value](TAbstractDBConnection& connection) {
        data->SetCatalogProperty(optionId, value, connection);
    });
}

int TTolvexControlClass::FindFirstItemOfType(int itemType)
{
    return services_.Root.Catalog().FindFirstItemOfType(itemType, GetCatalogCode(), GetConnection());
}

bool TTolvexControlClass::RunDialog(const std::string& dialogName, std::vector<std::string>& params)
{
    TCatalogData* data = Data();
    return data && data->RunDialog(dialogName, GetConnection(), params);
}

TObjectCollection& TTolvexControlClass::GetObjectCollection()
{
    if (parent_)
        return parent_->GetObjectCollection();
    if (!collection_)
        throw EDeveloperTolvexException("The editing context is not initialized");
    return *collection_;
}

// ---- item ----------------------------------------------------------------------------------------------

int TTolvexControlClass::GetUserPriority() const
{
    return parent_ ? parent_->GetUserPriority() : userPriority_;
}

void TTolvexControlClass::SetUserPriority(int flags)
{
    if (!parent_)
        userPriority_ = flags;
}

void TTolvexControlClass::MarkNewItem()
{
    if (!IsForwarded())
        newItem_ = true;
}

bool TTolvexControlClass::IsNewItem() const
{
    return IsForwarded() ? parent_->IsNewItem() : newItem_;
}

// ---- saving ----------------------------------------------------------------------------------------------

bool TTolvexControlClass::SaveEditorsAndObjects()
{
    bool ok = true;
    for (TItemEditorContainer* container : containers_) {
        if (!container->Save()) {
            ok = false;
            break;
        }
    }
    if (parent_ || !ok)
        return ok;
    TTolvexControlClass* owner = WriteOwner();
    if (!owner)
        return WriteObjects();
    // A dialog leaves nothing in its caller's unit of work: what it still
    // has to write is committed through the caller at once.
    bool written = false;
    owner->CommitNow([this, &written](TAbstractDBConnection&) { written = WriteObjects(); });
    if (written)
        collection_->ConfirmWritten();
    return written;
}

TTolvexControlClass* TTolvexControlClass::WriteOwner() const
{
    if (ownConnection_)
        return nullptr;
    if (parent_)
        return parent_;
    TTolvexControlClass* owner = connection_ ? TDialogWriteChannel::OwnerOf(*connection_) : nullptr;
    return owner == this ? nullptr : owner;
}

bool TTolvexControlClass::WriteObjects()
{
    if (!GetObjectCollection().WriteAll())
        return false;
    for (const auto& [key, write] : deferredWrites_)
        write(GetConnection());
    return true;
}

bool TTolvexControlClass::SaveObjects()
{
    return GetObjectCollection().SaveAll();
}

void TTolvexControlClass::UndoWrites()
{
    // Only an own connection is rolled back: a borrowed one belongs to the
    // caller's unit, which decides.
    if (!ownConnection_)
        return;
    ownConnection_->RollbackTrans();
    ownConnection_->BeginTrans();
}

bool TTolvexControlClass::SaveChanges()
{
    refreshFlags_ = 0;
    int flags = 0;
    std::string messages;
    try {
        if (!SaveEditorsAndObjects()) {
            UndoWrites();
            return false;
        }
        if (!parent_) {
            flags = TTolvexItemManager::ForItemType(services_, itemType_).ValidateItem(*this, messages);
            SetUserPriority(flags);
            if (!ownsWindow_ && itemId_ > 0)
                Data()->GetBookkeeping().SetUserPriority(itemId_, flags, GetConnection());
        }
        if (ownConnection_) {
            ownConnection_->CommitTrans();
            ownConnection_->BeginTrans();
            collection_->ConfirmWritten();
        }
    } catch (...) {
        UndoWrites();
        throw;
    }
    if (!parent_) {
        undoActions_.clear();
        deferredWrites_.clear();
        pendingOptions_.clear();
        ShowValidation(flags, messages);
    }
    SetModified(false);
    if ((refreshFlags_ & 1) && Data()) {
        Data()->LoadLanguages(GetConnection());
        if (services_.Shell)
            services_.Shell->LanguagesReloaded();
    }
    return true;
}

void TTolvexControlClass::ShowValidation(int flags, const std::string& messages)
{
    if (services_.MainHost && !ownsWindow_)
        services_.MainHost->SetStatusNotice(messages, flags);
}

void TTolvexControlClass::CancelChanges()
{
    UndoWrites();
    // Committed writes of this opening are undone, last first.
    for (auto undo = undoActions_.rbegin(); undo != undoActions_.rend(); ++undo)
        CommitNow(*undo);
    undoActions_.clear();
    deferredWrites_.clear();
    pendingOptions_.clear();
    if (!parent_ && collection_)
        collection_->DiscardChanges();
    for (TItemEditorContainer* container : containers_)
        container->Cancel();
    SetModified(false);
    ExecuteAction("Action=CancelAction", false);
}

int TTolvexControlClass::QuerySaveChanges()
{
    if (!IsModified())
        return 1;
    switch (services_.Gui.AskYesNoCancel("Do you want to save changes?", "", true, "")) {
    case mrYes:
        return SaveChanges() ? 1 : 0;
    case mrNo:
        CancelChanges();
        return 1;
    default:
        return 0;
    }
}

void TTolvexControlClass::NotifySaved()
{
    for (TItemEditorContainer* container : containers_)
        container->AfterSave();
}

bool TTolvexControlClass::WithUnsavedValues(const TWrite& generate)
{
    if (parent_)
        return parent_->WithUnsavedValues(generate);
    for (TItemEditorContainer* container : containers_)
        container->StoreControls();
    TAbstractDBConnection& connection = GetConnection();
    bool written = false;
    try {
        TUnitOfWorkScope scope(connection);
        scope.Enter("Items");
        written = WriteObjects();
        if (written)
            generate(connection);
        // Leaving the scope without Commit undoes every write since Enter.
    } catch (...) {
        UndoWrites();
        throw;
    }
    // Nothing else is ever left written in an own unit: give the lock up.
    UndoWrites();
    return written;
}

void TTolvexControlClass::CommitNow(const TWrite& write)
{
    if (TTolvexControlClass* owner = WriteOwner()) {
        owner->CommitNow(write);
        return;
    }
    TAbstractDBConnection& connection = GetConnection();
    if (!ownConnection_) {
        // A connection no context owns has no unit of work: the write stands at once.
        write(connection);
        return;
    }
    try {
        write(connection);
        ownConnection_->CommitTrans();
    } catch (...) {
        ownConnection_->RollbackTrans();
        ownConnection_->BeginTrans();
        throw;
    }
    ownConnection_->BeginTrans();
}

void TTolvexControlClass::AddUndoAction(TWrite undo)
{
    if (TTolvexControlClass* owner = WriteOwner())
        owner->AddUndoAction(std::move(undo));
    else
        undoActions_.push_back(std::move(undo));
}

void TTolvexControlClass::DeferUntilSave(TWrite write)
{
    DeferUntilSave(std::string(), std::move(write));
}

void TTolvexControlClass::DeferUntilSave(const std::string& key, TWrite write)
{
    if (parent_) {
        parent_->DeferUntilSave(key, std::move(write));
        return;
    }
    // The replaced write goes, and the new one comes last: it is the newest
    // state of what it writes, applied after the writes deferred before it.
    if (!key.empty())
        std::erase_if(deferredWrites_, [&key](const auto& deferred) { return deferred.first == key; });
    deferredWrites_.emplace_back(key, std::move(write));
}

// ---- language, text and help ---------------------------------------------------------------------------

std::string TTolvexControlClass::GetCurrentLangCode() const
{
    if (parent_)
        return parent_->GetCurrentLangCode();
    if (window_ && !langOverride_.empty())
        return langOverride_;
    TCatalogData* data = Data();
    return data ? data->GetCurrentLangCode() : std::string();
}

void TTolvexControlClass::SetCurrentLangCode(const std::string& langCode)
{
    langOverride_ = langCode;
    NotifyLanguageChanged();
}

std::string TTolvexControlClass::Translate(const std::string& text) const
{
    return TTranslation::OrEnglish(::Translation).Translate(text);
}

std::string TTolvexControlClass::TranslateFmt(const std::string& text, const std::vector<std::string>& args) const
{
    std::vector<TFormatArg> formatArgs(args.begin(), args.end());
    return TTranslation::OrEnglish(::Translation).FormatMessage(text, formatArgs, true);
}

bool TTolvexControlClass::EditValueInAllLanguages(int itemId, const std::string& classXmlTag, std::string& text,
                                                  const std::string& memberXmlTag)
{
    return services_.Shell &&
           services_.Shell->EditValueInAllLanguages(*this, itemId, classXmlTag, memberXmlTag, text);
}

void TTolvexControlClass::ShowHelp()
{
    if (params_) {
        const std::string alias = ValueOfName(*params_, "Help");
        if (!alias.empty()) {
            if (services_.Shell)
                services_.Shell->ShowHelpForAlias(alias);
            return;
        }
    }
    if (!containers_.empty())
        containers_.front()->ShowHelp();
}

// ---- the program ----------------------------------------------------------------------------------------

void TTolvexControlClass::ExecuteAction(const std::string& action, bool check)
{
    if (services_.Shell)
        services_.Shell->ExecuteAction(action, check);
}

void TTolvexControlClass::QueueAction(const std::string& action, bool check)
{
    if (services_.Shell)
        services_.Shell->QueueAction(action, check);
}

void TTolvexControlClass::PostReloadNotice(int id, int kind)
{
    if (services_.Shell)
        services_.Shell->PostMessage(WM_OBJECT_CHANGED, id, kind);
}

void TTolvexControlClass::UpdateMaxSize(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    preferredWidth_ = std::max(preferredWidth_, width);
    preferredHeight_ = std::max(preferredHeight_, height);
}
