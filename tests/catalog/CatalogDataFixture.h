#pragma once
// A started root object over a temporary program folder (the shipped
// databases built at start, the process singletons around it, the scripted
// GUI), with a GUI side that records every call in one ordered log, and
// catalog database files made for tests.
//
//   TRootFixture fixture;                         // started root object
//   fixture.CreateCatalog("shop", 1);              // created as the program creates catalogs
//   fixture.MakeCatalog({.code = "shop"});        // a file of a given layout, user admin/secret
//   std::string error = fixture.Open("shop", "admin", "secret");
#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDataUI.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "catalog/TolvexGuiControl.h"
#include "catalog/TolvexHelpSystem.h"
#include "catalog/TolvexShell.h"
#include "generation/StyleOperation.h"
#include "common/CommonProcedures.h"
#include "common/Exceptions.h"
#include "common/GlobalSettings.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/CatalogTables.h"
#include "storage/GlobalDefinition.h"
#include "storage/ProgramFolderFixture.h"
#include "storage/SQLiteModule.h"
#include "storage/ShippedData.h"
#include "support/SharedTestData.h"
#include "support/ScriptedGui.h"
#include "support/ScriptedStyleDialog.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <ctime>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Every call of the GUI side, in order.
struct TCallLog {
    std::vector<std::string> calls;

    void Add(const std::string& call) { calls.push_back(call); }
    bool Has(const std::string& call) const { return std::find(calls.begin(), calls.end(), call) != calls.end(); }
    // The calls from the first one that starts with Prefix on.
    std::vector<std::string> Matching(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const std::string& call : calls)
            if (call.rfind(prefix, 0) == 0)
                found.push_back(call);
        return found;
    }
    void Clear() { calls.clear(); }
};

class TRecordingGuiControl : public TTolvexGuiControl {
public:
    explicit TRecordingGuiControl(TCallLog& log) : log_(log) { log_.Add("CreateGuiControl"); }
    ~TRecordingGuiControl() override { log_.Add("FreeGuiControl"); }
    void Initialize() override { log_.Add("GuiControl.Initialize"); }
    void UpdateCatalogState(bool open) override { log_.Add(std::string("UpdateCatalogState ") + (open ? "open" : "closed")); }
    void SetStatusText(const std::string& text, bool, int panel) override
    {
        log_.Add("Status " + std::to_string(panel) + " " + text);
    }
    void RemoveCatalogActions() override { log_.Add("RemoveCatalogActions"); }
    void RemoveCatalogMenuItems() override { log_.Add("RemoveCatalogMenuItems"); }
    void AddMenuActions() override { log_.Add("AddMenuActions"); }
    void AddSearchItems() override { log_.Add("AddSearchItems"); }
    void AddToolbarActions() override { log_.Add("AddToolbarActions"); }

private:
    TCallLog& log_;
};

class TRecordingHelpSystem : public TTolvexHelpSystem {
public:
    explicit TRecordingHelpSystem(TCallLog& log) : log_(log) { log_.Add("CreateHelpSystem"); }
    ~TRecordingHelpSystem() override { log_.Add("FreeHelpSystem"); }
    void Initialize() override { log_.Add("HelpSystem.Initialize"); }
    void ShowHelpForAliases(const std::vector<std::string>&) override {}

private:
    TCallLog& log_;
};

class TRecordingCatalogUI : public TCatalogDataUI {
public:
    TRecordingCatalogUI(TCallLog& log, const bool& canLeave) : log_(log), canLeave_(canLeave) {}
    ~TRecordingCatalogUI() override { log_.Add("FreeCatalogUI"); }
    void Build() override { log_.Add("BuildUI"); }
    void SelectWebTreeItem(int itemId) override { log_.Add("Select " + std::to_string(itemId)); }
    bool CanLeave(bool) override
    {
        log_.Add("CanLeave");
        return canLeave_;
    }
    void Clear() override { log_.Add("ClearCatalogUI"); }

private:
    TCallLog& log_;
    const bool& canLeave_;
};

class TRecordingShell : public TTolvexShell {
public:
    explicit TRecordingShell(TCallLog& log) : log_(log)
    {
        style.record = [&log](const std::string& line) { log.Add(line); };
    }

    // Set-up.
    bool withWindow = true;           // false: no GUI parts at all
    bool canLeave = true;             // the item editor's answer
    TStyleScript style;               // the style dialog's answers and choice
    std::map<int, std::string> actions;
    std::string newCatalogCode;       // the "Change Catalog Code" dialog's answer; empty: cancelled
    bool importThrows = false;        // the web-site import fails with ECriticalTolvexException

    // What was asked.
    TTolvexException* handler = nullptr;
    std::string caption;
    std::vector<std::string> updateParams;
    std::unique_ptr<TStyleOperation> styleOperation;  // the last one started

    void SetExceptionHandler(TTolvexException* h) override
    {
        handler = h;
        log_.Add(h ? "SetExceptionHandler" : "RemoveExceptionHandler");
    }
    void Terminate() override { log_.Add("Terminate"); }
    void PostCloseRequest() override { log_.Add("PostCloseRequest"); }
    void PostReopenCatalog() override { log_.Add("PostReopenCatalog"); }
    void SetMainCaption(const std::string& text) override { caption = text; }
    std::unique_ptr<TTolvexGuiControl> CreateGuiControl(TTolvex&) override
    {
        return withWindow ? std::make_unique<TRecordingGuiControl>(log_) : nullptr;
    }
    std::unique_ptr<TStyleDialog> CreateStyleDialog() override
    {
        if (!withWindow)
            return nullptr;
        log_.Add("CreateStyleDialog");
        return std::make_unique<TScriptedStyleDialog>(style);
    }
    std::unique_ptr<TTolvexHelpSystem> CreateHelpSystem(TTolvex&) override
    {
        return withWindow ? std::make_unique<TRecordingHelpSystem>(log_) : nullptr;
    }
    std::unique_ptr<TCatalogDataUI> CreateCatalogUI(TCatalogData&) override
    {
        return withWindow ? std::make_unique<TRecordingCatalogUI>(log_, canLeave) : nullptr;
    }
    void LoginShowWelcome(const std::string& name, bool) override { log_.Add("LoginShowWelcome " + name); }
    void LoginOpenCatalog(const std::string&, const std::string& name, const std::string&) override
    {
        log_.Add("LoginOpenCatalog " + name);
    }
    void LoginNewCatalog() override { log_.Add("LoginNewCatalog"); }
    void LoginNewCatalogFromHost() override { log_.Add("LoginNewCatalogFromHost"); }
    std::string GetActionString(int actionId) override { return actions[actionId]; }
    void ExecuteActionById(int actionId, bool) override { log_.Add("ExecuteAction " + std::to_string(actionId)); }
    void PostActionById(int actionId, bool) override { log_.Add("PostAction " + std::to_string(actionId)); }
    void ExecuteAction(const std::string& action, bool) override { log_.Add("ExecuteAction " + action); }
    void QueueAction(const std::string& action, bool) override { log_.Add("QueueAction " + action); }
    bool AskNewCatalogCode(const std::string& oldCode, std::string& newCode) override
    {
        log_.Add("AskNewCatalogCode " + oldCode);
        newCode = newCatalogCode;
        return !newCatalogCode.empty();
    }
    bool RunWebSiteImport(std::vector<std::string>&, TAbstractDBConnection&) override
    {
        log_.Add("RunWebSiteImport");
        if (importThrows)
            throw ECriticalTolvexException("The import failed");
        return false;
    }
    void StartStyleOperation(std::unique_ptr<TStyleOperation> operation) override
    {
        log_.Add("StartStyleOperation");
        styleOperation = std::move(operation);
    }
    bool RunSoftwareUpdate(const std::vector<std::string>& params, bool modal) override
    {
        updateParams = params;
        log_.Add(modal ? "RunSoftwareUpdate modal" : "RunSoftwareUpdate background");
        return modal;
    }

private:
    TCallLog& log_;
};

// A catalog database file made for a test.
struct TTestUser {
    std::string name;
    std::string password;  // as stored
    std::string role;
};

struct TTestCatalog {
    std::string code = "shop";
    int type = 1;
    // The folder of the file; empty: the program's database folder.
    std::string dir{};
    // LocalSettings "TolvexVersion"; "-" writes no row.
    std::string structureVersion = "3.0.0";
    bool withCatalogInfo = true;
    std::vector<TTestUser> users{{"admin", "secret", "admin"}};
    // The version of the master template 600101; "-": no style at all;
    // empty: the version the type's definition offers.
    std::string styleVersion{};
    std::string declinedStyleVersion{};
    std::vector<std::string> languages{"EN"};
    std::string defaultLanguage = "EN";
    std::string homePage{};  // property 708
};

inline std::string SqlText(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

class TRootFixture {
public:
    // ImageServerPort: the local image server's port; 0: the program's own.
    explicit TRootFixture(bool start = true, int imageServerPort = 0)
    {
        std::filesystem::create_directories(home_.File("databases"));
        // A fixture that starts at once finds the shipped databases made; one
        // started by its test builds them as the program does.
        if (start)
            SharedTestData::InstallShippedDatabases(home_.Path());
        CreateSingletons(home_.Path());
        CommonProcedures->SetGui(&gui_);
        today_.tm_year = 124;  // 15 March 2024, noon
        today_.tm_mon = 2;
        today_.tm_mday = 15;
        today_.tm_hour = 12;
        TTolvex::TEnvironment environment;
        environment.Shell = &shell_;
        environment.DataDir = TShippedData::BuildTreeDataDir();
        environment.Now = [this] { return today_; };
        environment.ImageServerPort = imageServerPort;
        environment_ = environment;
        root_ = std::make_unique<TTolvex>(environment);
        RootObject = root_.get();
        if (start)
            root_->Start();
    }
    // Ends the root object and starts a new one over the same program folder.
    void Restart()
    {
        root_.reset();
        root_ = std::make_unique<TTolvex>(environment_);
        RootObject = root_.get();
        root_->Start();
    }
    ~TRootFixture()
    {
        root_.reset();
        RootObject = nullptr;
        FreeSingletons();
    }
    TRootFixture(const TRootFixture&) = delete;
    TRootFixture& operator=(const TRootFixture&) = delete;

    TTolvex& Root() { return *root_; }
    TScriptedGui& Gui() { return gui_; }
    TRecordingShell& Shell() { return shell_; }
    TCallLog& Log() { return log_; }
    const TTempFolder& Home() const { return home_; }
    std::string DatabaseDir() { return root_->Settings().GetDatabasePath(); }
    void AddDays(int days)
    {
        today_.tm_mday += days;
        std::mktime(&today_);
    }
    // The open catalog's data; null while none is open.
    TCatalogData* Data() { return root_->GetCatalogData(); }

    // Creates the catalog in the database folder as the login dialog has it
    // created: administrator "admin" with password "secret", the type's
    // initial structure. The answer of the creation.
    bool CreateCatalog(const std::string& code, int catalogType)
    {
        std::filesystem::create_directories(DatabaseDir());
        TCatalogDefinition::TNewCatalog request;
        request.DbType = SQLiteModuleName;
        request.CatalogType = catalogType;
        request.CatalogCode = code;
        request.AdminUserName = "admin";
        request.AdminPassword = "secret";
        request.CompanyName = "Acme Ltd";
        request.Email = "info@acme.test";
        return root_->Catalog().GetDefinition().CreateCatalog(request);
    }

    // Makes the catalog file Dir/Code.sqlite; returns its path.
    std::string MakeCatalog(const TTestCatalog& layout)
    {
        const std::string dir = layout.dir.empty() ? DatabaseDir() : layout.dir;
        std::filesystem::create_directories(dir);
        std::unique_ptr<TAbstractDBConnectionFactory> factory = CreateSQLiteConnectionFactory(SQLiteModuleName, "");
        if (!factory->CreateDatabase(dir, "", layout.code, "", "", 0))
            throw std::runtime_error("cannot create the test catalog " + layout.code);
        const std::string file = SQLiteDatabaseFileName(dir, layout.code);
        std::string sql;
        for (const std::string& statement : TCatalogTables::CreateStatements())
            sql += statement + ";\n";
        ExecOnFile(file, sql + CatalogRows(layout));
        return file;
    }

    // Opens through the root object; the error text.
    std::string Open(const std::string& code, const std::string& user, const std::string& password,
                     std::uint8_t flags = 0, const std::string& dir = "")
    {
        std::string error;
        root_->OpenCatalog(dir, SQLiteModuleName, "", code, user, password, flags, error);
        return error;
    }

private:
    std::string Item(const TTestCatalog& layout, int itemId, int itemType, int parent) const
    {
        return "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, OrderNum, "
               "DontDelete, DontSort, IsSynchronized) VALUES (" + SqlText(layout.code) + ", " +
               std::to_string(itemId) + ", " + std::to_string(itemType) + ", " + std::to_string(parent) + ", " +
               std::to_string(itemId) + ", 0, 0, 0, 0, 1);\n" +
               "INSERT OR IGNORE INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
               "VALUES (" + SqlText(layout.code) + ", " + std::to_string(itemId) + ", " + std::to_string(itemType) +
               ", 0, 1);\n";
    }
    std::string Value(const TTestCatalog& layout, const char* table, int itemId, int classId, int memberId,
                      int index, int memberType, const std::string& valueColumn, const std::string& value,
                      int instanceId = 1) const
    {
        return std::string("INSERT INTO ") + table + " (CatalogCode, ItemId, ClassId, InstanceId, MemberId, "
               "LangCode, IndexId, MemberType, " + valueColumn + ") VALUES (" + SqlText(layout.code) + ", " +
               std::to_string(itemId) + ", " + std::to_string(classId) + ", " + std::to_string(instanceId) + ", " +
               std::to_string(memberId) +
               ", 'XXX', " + std::to_string(index) + ", " + std::to_string(memberType) + ", " + value + ");\n";
    }
    std::string String(const TTestCatalog& layout, int itemId, int classId, int memberId,
                       const std::string& text, int index = 0) const
    {
        return Value(layout, "CStrings", itemId, classId, memberId, index, 1, "StringValue", SqlText(text));
    }
    std::string CatalogRows(const TTestCatalog& layout)
    {
        std::string sql;
        if (layout.structureVersion != "-")
            sql += "INSERT INTO LocalSettings VALUES (" + SqlText(layout.code) + ", 'TolvexVersion', " +
                   SqlText(layout.structureVersion) + ");\n";
        if (layout.withCatalogInfo)
            sql += Item(layout, 604, 604, 8) +
                   Value(layout, "CNumbers", 604, 604, 1, 0, 101, "NumberValue", std::to_string(layout.type));
        sql += Item(layout, 601, 601, 8);
        for (std::size_t i = 0; i < layout.languages.size(); ++i)
            sql += String(layout, 601, 601, 1, layout.languages[i], static_cast<int>(i));
        sql += String(layout, 601, 601, 2, layout.defaultLanguage);
        for (std::size_t i = 0; i < layout.users.size(); ++i) {
            const int itemId = 602000 + static_cast<int>(i);
            sql += Item(layout, itemId, 602, 8) + String(layout, itemId, 602, 1, layout.users[i].name);
            if (!layout.users[i].password.empty())
                sql += String(layout, itemId, 602, 2, layout.users[i].password);
            if (!layout.users[i].role.empty())
                sql += String(layout, itemId, 602, 4, layout.users[i].role);
        }
        // The catalog's data is as new as its type's definition: no upgrade.
        const int version = layout.type > 0 ? root_->GlobalDefinition().GetCatalogTypeVersion(layout.type) : 0;
        sql += Item(layout, 733, 603, 8) + String(layout, 733, 603, 1, std::to_string(version));
        if (!layout.homePage.empty())
            sql += Item(layout, 708, 603, 8) + String(layout, 708, 603, 1, layout.homePage);
        if (layout.styleVersion != "-") {
            // The shipped definitions offer version 1.0 of their templates.
            sql += Item(layout, 600101, 501, 600001) + "INSERT INTO CObjectInstances VALUES (" + SqlText(layout.code) +
                   ", 600101, 505, 0, 2);\n";
            const std::string version = layout.styleVersion.empty() ? "1.0" : layout.styleVersion;
            sql += Value(layout, "CStrings", 600101, 505, 1, 0, 1, "StringValue", SqlText(version), 2);
            if (!layout.declinedStyleVersion.empty())
                sql += Value(layout, "CStrings", 600101, 505, 2, 0, 1, "StringValue",
                             SqlText(layout.declinedStyleVersion), 2);
        }
        return sql;
    }

    TTempFolder home_;
    TScriptedGui gui_;
    TCallLog log_;
    TRecordingShell shell_{log_};
    std::tm today_{};
    TTolvex::TEnvironment environment_;
    std::unique_ptr<TTolvex> root_;
};
