#pragma once
// A program for the tests of catalog creation, upgrade and code change: a
// temporary program folder with the shipped databases built from data/, the
// process singletons, the real classes list, a catalog object with the
// program's upgrades (TCatalogUpgrader) and a scripted program around it.
//
//   TCreationEnvironment env;
//   ASSERT_TRUE(env.Definition().CreateCatalog(env.Request("shop", 1)));
//   EXPECT_EQ(env.Values("shop", "SELECT DataValue FROM LocalSettings"), ...);
//   EXPECT_EQ(env.Open("shop", "admin", "secret"), "");
#include "catalog/CatalogCreationHost.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogUpgrader.h"
#include "storage/ClassesList.h"
#include "storage/ProgramFolderFixture.h"
#include "storage/TolvexObjectContext.h"
#include "support/CatalogFixture.h"

#include <memory>
#include <string>
#include <vector>

class TCatalog;

// The program around the catalog object: records in `calls`, in order, what
// it was asked ("CloseCatalog", "ExecuteAction Action=... check", ...) and
// answers as set up. Its catalog data opens <code>.sqlite with the checks of
// a real login (structure version, user, password).
class TScriptedCreationHost : public TRecordingCatalogHost, public TCatalogCreationHost {
public:
    // Answers.
    bool dialogAnswer = true;
    std::string newCode;
    bool importAnswer = true;
    int downloadedPages = 3;
    bool importThrows = false;  // the import fails with ECriticalTolvexException
    // The parameter lines of every web-site import run.
    std::vector<std::vector<std::string>> imports;

    void SetCatalog(TCatalog& catalog) { catalog_ = &catalog; }

    // ---- TCatalogHost
    std::unique_ptr<TAbstractCatalogData> CreateCatalogData(TCatalog& catalog) override;
    // Also TCatalogCreationHost's: closes the catalog object's catalog when the answer is yes.
    bool CloseCatalog() override;

    // ---- TCatalogCreationHost
    bool AskNewCatalogCode(const std::string& oldCode, std::string& code) override;
    void ExecuteAction(const std::string& action, bool check) override;
    void QueueAction(const std::string& action, bool check) override;
    void SetCatalogCode(const std::string& catalogCode) override;
    void PostReopenCatalog() override { calls.push_back("PostReopenCatalog"); }
    bool RunWebSiteImport(std::vector<std::string>& params, TAbstractDBConnection& connection) override;

private:
    TCatalog* catalog_ = nullptr;
};

class TCreationEnvironment {
public:
    TCreationEnvironment();
    ~TCreationEnvironment();
    TCreationEnvironment(const TCreationEnvironment&) = delete;
    TCreationEnvironment& operator=(const TCreationEnvironment&) = delete;

    TCatalog& Catalog() { return *catalog_; }
    TCatalogDefinition& Definition();
    TScriptedCreationHost& Host() { return host_; }
    TScriptedGui& Gui() { return program_.gui; }
    TGlobalDefinition& GlobalDefinition() { return program_.globalDefinition; }
    TTolvexObjectContext& Context() { return context_; }
    TCatalogUpgrader& Upgrader() { return upgrader_; }

    // The folder of the catalog databases and the file of a catalog.
    std::string DatabaseFolder() const;
    std::string CatalogFile(const std::string& code) const;
    // The files of the database folder, by name.
    std::vector<std::string> DatabaseFiles() const;
    // A database of the program's "databases" folder, and the definition database of a catalog type.
    std::string ProgramDatabase(const std::string& name) const { return program_.DatabaseFile(name); }
    std::string DefinitionFile(int catalogType) const
    {
        return ProgramDatabase("catalog_" + std::to_string(catalogType));
    }
    // Builds a catalog-type definition (the items of "t#N", in the XML format
    // of the shipped definitions) in place of the shipped one.
    void BuildDefinition(int catalogType, const std::string& items);

    // A request for a catalog of the type with administrator "admin",
    // password "secret", company "Acme Ltd" and e-mail "info@acme.test".
    TCatalogDefinition::TNewCatalog Request(const std::string& code, int catalogType) const;
    // The first column of a SELECT on the catalog's file, as text.
    std::vector<std::string> Values(const std::string& code, const std::string& sql) const;
    // The single value of a SELECT on the catalog's file ("" without a row).
    std::string Value(const std::string& code, const std::string& sql) const;
    void Exec(const std::string& code, const std::string& sql) const;
    // Opens the catalog through the catalog object; the error text.
    std::string Open(const std::string& code, const std::string& user, const std::string& password);
    // The checks of a real login (CheckLogin) on the catalog's file.
    std::string CheckLoginOnFile(const std::string& code, const std::string& user, const std::string& password);

private:
    struct TSingletons {
        TSingletons(const std::string& appDir, TGlobalSettings& settings, TCommonGui& gui);
        ~TSingletons();
    };

    TProgramFolderFixture program_;
    TSingletons singletons_;
    TClassesList classes_;
    TTolvexObjectContext context_;
    TScriptedCreationHost host_;
    TCatalogUpgrader upgrader_;
    std::unique_ptr<TCatalog> catalog_;
};

// The checks of a real login on a catalog file: the structure version "3.0.0",
// the user by name, the unscrambled password; the error text, "" when they pass.
std::string CheckLogin(TAbstractDBConnection& connection, const std::string& code, const std::string& user,
                       const std::string& password);
