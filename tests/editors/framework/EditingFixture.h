#pragma once
// The editing framework over a real catalog without a window: the process
// singletons with the framework's classes (and a test's own) registered,
// the root object started with a console shell and a scripted GUI, a
// catalog of type 1 created and opened; a recording host (caption, buttons,
// status) with a panel whose pages are a list that can refuse a change, and
// a recording program around the editors.
#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/InternalPluginsManager.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonProcedures.h"
#include "editors/framework/EditingServices.h"
#include "editors/framework/EditorHost.h"
#include "editors/framework/EditorPages.h"
#include "editors/framework/EditorPanel.h"
#include "editors/framework/EditorShell.h"
#include "editors/framework/FrameSite.h"
#include "editors/framework/Registration.h"
#include "shell/ConsoleShell.h"
#include "gui/MainWindowMessages.h"
#include "storage/ShippedData.h"
#include "support/SharedTestData.h"
#include "storage/SQLiteModule.h"
#include "common/GlobalSettings.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TEditorTestSite : public TFrameSite {
public:
    void ShowMessage(const std::string& text) override { Message = text; }
    std::string Message;
};

class TEditorTestPages : public TEditorPages {
public:
    void SetListener(TEditorPagesListener* listener) override { listener_ = listener; }
    int AddPage(const std::string& caption) override
    {
        Captions.push_back(caption);
        sites_.push_back(std::make_unique<TEditorTestSite>());
        return static_cast<int>(Captions.size()) - 1;
    }
    TFrameSite& PageSite(int index) override { return *sites_.at(index); }
    TEditorTestSite& Site(int index) { return *sites_.at(index); }
    int PageCount() const override { return static_cast<int>(Captions.size()); }
    int ActivePage() const override { return active_; }
    bool ActivatePage(int index) override
    {
        if (index < 0 || index >= PageCount())
            return false;
        if (index != active_ && listener_ && !listener_->PageChanging())
            return false;
        active_ = index;
        if (listener_)
            listener_->PageChanged();
        return true;
    }
    void SetTabsHidden(bool hidden) override { TabsHidden = hidden; }

    std::vector<std::string> Captions;
    bool TabsHidden = false;

private:
    TEditorPagesListener* listener_ = nullptr;
    std::vector<std::unique_ptr<TEditorTestSite>> sites_;
    int active_ = -1;
};

class TEditorTestPanel : public TEditorPanel {
public:
    TEditorPages& CreatePages() override
    {
        pages_ = std::make_unique<TEditorTestPages>();
        return *pages_;
    }
    TEditorPages* Pages() override { return pages_.get(); }
    TEditorTestPages* FakePages() { return pages_.get(); }
    TFrameSite& CreateSingleSite() override
    {
        single_ = std::make_unique<TEditorTestSite>();
        return *single_;
    }
    TEditorTestSite* SingleSite() { return single_.get(); }
    void Clear() override
    {
        pages_.reset();
        single_.reset();
        ++Clears;
    }
    void FocusFirstControl() override { ++Focused; }
    void RevealControl(void* control) override { Revealed = control; }

    int Clears = 0;
    int Focused = 0;
    void* Revealed = nullptr;

private:
    std::unique_ptr<TEditorTestPages> pages_;
    std::unique_ptr<TEditorTestSite> single_;
};

class TEditorTestHost : public TEditorWindow {
public:
    void SetCaption(const std::string& text) override { Caption = text; }
    void SetSaveEnabled(bool enabled) override { SaveEnabled = enabled; }
    void SetCancelEnabled(bool enabled) override { CancelEnabled = enabled; }
    void SetCancelVisible(bool) override {}
    void SetOkCaption(const std::string&) override {}
    void ShowSavePanel(bool visible) override { SavePanel = visible; }
    bool HasStatusPanel(int panel) const override { return panel >= 0 && panel < 4; }
    void SetStatusText(int panel, const std::string& text) override { Status[panel] = text; }
    void SetStatusNotice(const std::string& text, int flags) override
    {
        Notice = text;
        NoticeFlags = flags;
    }
    void PressOk() override {}
    void PressCancel() override {}
    TEditorPanel& Panel() override { return Panel_; }
    void SetWizardMode(bool wizard) override { Wizard = wizard; }
    void Bind(TTolvexControlClass&) override {}
    int ShowModal(int, int, const std::function<bool()>& accept) override
    {
        if (OnShow)
            OnShow();
        if (ModalResult == 1 && accept && !accept())
            return 2;
        return ModalResult;
    }
    void LanguageChanged() override { ++LanguagePanelRepaints; }

    std::string Caption;
    bool SaveEnabled = false;
    bool CancelEnabled = false;
    bool SavePanel = false;
    std::string Status[4];
    std::string Notice;
    int NoticeFlags = 0;
    bool Wizard = false;
    int ModalResult = 1;
    std::function<void()> OnShow;
    int LanguagePanelRepaints = 0;
    TEditorTestPanel Panel_;
};

class TEditorTestShell : public TEditorShell {
public:
    void ExecuteAction(const std::string& action, bool) override { Actions.push_back(action); }
    void QueueAction(const std::string& action, bool) override { Queued.push_back(action); }
    void PostMessage(int message, std::int64_t wParam, std::int64_t lParam) override
    {
        Posts.push_back({message, wParam, lParam});
    }
    void ShowHelpForAlias(const std::string& alias) override { Help.push_back(alias); }
    void LanguagesReloaded() override { ++LanguageReloads; }
    std::unique_ptr<TEditorWindow> CreateEditorWindow() override
    {
        auto window = std::make_unique<TEditorTestHost>();
        LastWindow = window.get();
        if (PrepareWindow)
            PrepareWindow(*window);
        return window;
    }
    bool EditValueInAllLanguages(TTolvexControlClass&, int, const std::string&, const std::string&,
                                 std::string&) override
    {
        return false;
    }

    struct TPost {
        int Message;
        std::int64_t WParam, LParam;
    };
    std::vector<std::string> Actions, Queued, Help;
    std::vector<TPost> Posts;
    int LanguageReloads = 0;
    TEditorTestHost* LastWindow = nullptr;
    std::function<void(TEditorTestHost&)> PrepareWindow;
};

class TEditingFixture {
public:
    explicit TEditingFixture(const std::function<void(TInternalPluginsManager&)>& registerMore = {},
                             int catalogType = 1)
        : TEditingFixture(registerMore, catalogType, "")
    {
    }
    // Home: the program folder to use (empty: a new temporary one); the
    // catalog is created only when the folder has none yet.
    TEditingFixture(const std::function<void(TInternalPluginsManager&)>& registerMore, int catalogType,
                    const std::string& home)
    {
        if (home.empty()) {
            ownHome_ = std::make_unique<TTempFolder>();
            home_ = ownHome_->Path();
        } else {
            home_ = home;
        }
        SharedTestData::InstallShippedDatabases(home_);
        CreateSingletons(home_, [&](TInternalPluginsManager& registry) {
            RegisterFrameworkClasses(registry);
            if (registerMore)
                registerMore(registry);
        });
        CommonProcedures->SetGui(&gui_);
        TTolvex::TEnvironment environment;
        environment.Shell = &console_;
        environment.DataDir = TShippedData::BuildTreeDataDir();
        root_ = std::make_unique<TTolvex>(environment);
        RootObject = root_.get();
        root_->Start();
        std::filesystem::create_directories(root_->Settings().GetDatabasePath());
        if (!std::filesystem::exists(SQLiteDatabaseFileName(root_->Settings().GetDatabasePath(), "shop")))
            CreateCatalog(catalogType);
        std::string error;
        root_->OpenCatalog("", SQLiteModuleName, "", "shop", "admin", "secret", 0, error);
        OpenError = error;
    }

    void CreateCatalog(int catalogType)
    {
        TCatalogDefinition::TNewCatalog request;
        request.DbType = SQLiteModuleName;
        request.CatalogType = catalogType;
        request.CatalogCode = "shop";
        request.AdminUserName = "admin";
        request.AdminPassword = "secret";
        request.CompanyName = "Acme Ltd";
        request.Email = "info@acme.test";
        // A new catalog of the shipped definitions is the same for every test: made once, copied.
        const std::string file = SQLiteDatabaseFileName(root_->Settings().GetDatabasePath(), request.CatalogCode);
        SharedTestData::InstallFile("editing-catalog-" + std::to_string(catalogType) + ".sqlite", file,
                                    [&] { return root_->Catalog().GetDefinition().CreateCatalog(request); });
    }
    ~TEditingFixture()
    {
        root_->CloseCatalog();
        root_->Destroy();
        root_.reset();
        RootObject = nullptr;
        FreeSingletons();
    }
    TEditingFixture(const TEditingFixture&) = delete;
    TEditingFixture& operator=(const TEditingFixture&) = delete;

    TEditingServices Services() { return {*root_, gui_, *UIManager, &shell_, &host_}; }
    TTolvex& Root() { return *root_; }
    TCatalogData& Data() { return *root_->GetCatalogData(); }
    TScriptedGui& Gui() { return gui_; }
    TEditorTestHost& Host() { return host_; }
    TEditorTestShell& Shell() { return shell_; }
    TEditorTestPanel& Panel() { return host_.Panel_; }

    std::string OpenError;

private:
    std::unique_ptr<TTempFolder> ownHome_;
    std::string home_;
    TScriptedGui gui_;
    TConsoleShell console_;
    std::unique_ptr<TTolvex> root_;
    TEditorTestHost host_;
    TEditorTestShell shell_;
};
