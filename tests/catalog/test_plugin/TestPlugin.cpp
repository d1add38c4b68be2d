// A plug-in library for the tests, built in several variants:
//  - default: a database module library (kind 2) with the class list
//    "TestDb&TestDbPattern*&WrongKind&NoObject" and FileExt "tdb";
//  - TEST_PLUGIN_MIXED: a mixed library (kind 1) naming each class's kind,
//    with a UI editor "MixedEditor" and an item manager "MixedManager";
//  - TEST_PLUGIN_NO_INFO: without the "GetPluginInfo" export;
//  - TEST_PLUGIN_NO_CLASS: without the "GetPluginClass" export.
// Its objects are counted, so tests can see that the host frees them.
#include "catalog/AbstractItemManager.h"
#include "storage/AbstractPluginClass.h"
#include "catalog/AbstractUIEditor.h"
#include "catalog/PluginInfo.h"
#include "common/Exceptions.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"

#include <cstring>
#include <string>

namespace {

int liveObjects = 0;

class TTestDbFactory : public TAbstractDBConnectionFactory {
public:
    explicit TTestDbFactory(std::string name) : name_(std::move(name)) { ++liveObjects; }
    ~TTestDbFactory() override { --liveObjects; }

    std::uint8_t GetKind() const override { return pkDatabase; }
    std::string GetName() const override { return name_; }
    std::string GetParams() const override { return {}; }

    bool OpenDatabase(const std::string&, const std::string&, const std::string&,
                      const std::string&) override { return false; }
    TAbstractDBConnection& GetConnection() override
    {
        throw EDeveloperTolvexException("The test module has no connection");
    }
    std::unique_ptr<TAbstractDBConnection> OpenSecondConnection() override { return nullptr; }
    bool CreateDatabase(const std::string&, const std::string&, const std::string&,
                        const std::string&, const std::string&, int) override { return false; }
    void CheckNewDatabase(const std::string&, const std::string&, const std::string&,
                          const std::string&, const std::string&, std::string& message,
                          int& code) override
    {
        message.clear();
        code = 0;
    }
    std::string GetOpenWarning() const override { return {}; }
    bool DeleteDatabase(const std::string&, const std::string&, const std::string&,
                        const std::string&, const std::string&) override { return false; }
    void BackupDatabase(const std::string&, const std::string&, const std::string&,
                        const std::string&, const std::string&) override {}
    void AutoBackup(const std::string&, const std::string&, const std::string&,
                    const std::string&, const std::string&) override {}
    void RestoreDatabase(const std::string&, const std::string&, const std::string&,
                         const std::string&, const std::string&) override {}
    bool CompactDatabase(const std::string&, const std::string&, const std::string&,
                         const std::string&, const std::string&) override { return true; }
    bool IsNameFree(const std::string&) const override { return true; }
    std::string GetDatabaseFileName(const std::string& name) const override { return name + ".tdb"; }
    bool RenameDatabase(const std::string&, const std::string&, const std::string&) override
    {
        return false;
    }
    int NextSequenceId(const std::string&, const std::string&) override { return 0; }

private:
    std::string name_;
};

// A UI editor: in the database library, an object of another kind than its
// library claims.
class TTestEditor : public TAbstractUIEditor {
public:
    explicit TTestEditor(std::string name) : name_(std::move(name)) { ++liveObjects; }
    ~TTestEditor() override { --liveObjects; }
    std::uint8_t GetKind() const override { return pkItemEditor; }
    std::string GetName() const override { return name_; }
    std::string GetParams() const override { return {}; }

private:
    std::string name_;
};

class TTestItemManager : public TAbstractItemManager {
public:
    explicit TTestItemManager(std::string name) : name_(std::move(name)) { ++liveObjects; }
    ~TTestItemManager() override { --liveObjects; }
    std::string GetName() const override { return name_; }
    std::string GetParams() const override { return {}; }

private:
    std::string name_;
};

}  // namespace

extern "C" {

// How many objects of this library are alive.
__attribute__((visibility("default"))) int TestPluginLiveObjects()
{
    return liveObjects;
}

#ifndef TEST_PLUGIN_NO_INFO
__attribute__((visibility("default"))) TAbstractPluginInfo* GetPluginInfo()
{
    auto* info = new TPluginInfo;
#ifdef TEST_PLUGIN_MIXED
    info->SetName("MixedDb=Database&MixedEditor=ItemEditor&Odd=Gadget&NoWord\r\n"
                  "MixedManager=ItemManager");
    info->SetKind(pkMixed);
#else
    info->SetName("TestDb&TestDbPattern*&WrongKind&NoObject");
    info->SetKind(pkDatabase);
#endif
    info->SetDescription("Test databases");
    info->AddParam("FileExt", "tdb");
    info->AddParam("DeleteDatabase", "yes");
    return info;
}
#endif

#ifndef TEST_PLUGIN_NO_CLASS
__attribute__((visibility("default"))) TAbstractPluginClass* GetPluginClass(const char* name)
{
    if (std::strncmp(name, "TestDb", 6) == 0 || std::strncmp(name, "MixedDb", 7) == 0)
        return new TTestDbFactory(name);
    if (std::strcmp(name, "WrongKind") == 0 || std::strcmp(name, "MixedEditor") == 0)
        return new TTestEditor(name);
    if (std::strcmp(name, "MixedManager") == 0)
        return new TTestItemManager(name);
    return nullptr;
}
#endif

}  // extern "C"
