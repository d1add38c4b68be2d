#pragma once
// The connection factory of the SQLite module: one factory stands for one
// database file Dir/Name.sqlite. It opens the main connection, hands out
// further connections (each with a unit of work begun), draws sequence
// numbers, and runs the file operations (TSQLiteDatabaseFiles).
//
// Sequence numbers (NextSequenceId) are committed at once and never handed
// out twice:
//  - normally they are drawn on the factory's own sequence connection and
//    committed there, whatever the caller's unit of work does;
//  - while a connection of this thread holds the database's write lock (a unit
//    of work that has written), the sequence connection could not write until
//    that unit ends. The number is then drawn inside that unit, and the unit
//    keeps it used even when it is rolled back (TSQLiteDBConnection).
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/DatabaseModuleContext.h"

#include <memory>
#include <string>
#include <vector>

struct sqlite3;
class TSQLiteDBConnection;

class TSQLiteConnectionFactory : public TAbstractDBConnectionFactory {
public:
    TSQLiteConnectionFactory(const std::string& name, const std::string& params,
                             const TDatabaseModuleContext& context);
    ~TSQLiteConnectionFactory() override;
    TSQLiteConnectionFactory(const TSQLiteConnectionFactory&) = delete;
    TSQLiteConnectionFactory& operator=(const TSQLiteConnectionFactory&) = delete;

    // The plug-in contract.
    std::uint8_t GetKind() const override { return pkDatabase; }
    std::string GetName() const override { return pluginName_; }
    std::string GetParams() const override { return params_; }
    static std::string PluginName();

    void SetContext(const TDatabaseModuleContext& context) { context_ = context; }
    const TDatabaseModuleContext& Context() const { return context_; }

    bool OpenDatabase(const std::string& dir, const std::string& name, const std::string& user,
                      const std::string& password) override;
    TAbstractDBConnection& GetConnection() override;
    std::unique_ptr<TAbstractDBConnection> OpenSecondConnection() override;
    std::unique_ptr<TAbstractDBConnection> OpenReadOnlyConnection(const std::string& dir,
                                                                  const std::string& name) override;
    bool CreateDatabase(const std::string& dir, const std::string& serverName, const std::string& name,
                        const std::string& user, const std::string& password, int flag) override;
    void CheckNewDatabase(const std::string& dir, const std::string& serverName, const std::string& name,
                          const std::string& user, const std::string& password, std::string& message,
                          int& code) override;
    std::string GetOpenWarning() const override;
    bool DeleteDatabase(const std::string& dir, const std::string& serverName, const std::string& name,
                        const std::string& user, const std::string& password) override;
    void BackupDatabase(const std::string& dir, const std::string& serverName, const std::string& name,
                        const std::string& user, const std::string& password) override;
    void AutoBackup(const std::string& dir, const std::string& serverName, const std::string& name,
                    const std::string& user, const std::string& password) override;
    void RestoreDatabase(const std::string& dir, const std::string& serverName, const std::string& name,
                         const std::string& user, const std::string& password) override;
    bool CompactDatabase(const std::string& dir, const std::string& serverName, const std::string& name,
                         const std::string& user, const std::string& password) override;
    bool IsNameFree(const std::string& name) const override;
    std::string GetDatabaseFileName(const std::string& name) const override;
    bool RenameDatabase(const std::string& dir, const std::string& oldFileName,
                        const std::string& newFileName) override;
    int NextSequenceId(const std::string& catalogCode, const std::string& sequenceName) override;

    // Called by connections of this factory when they are destroyed.
    void ConnectionDestroyed(TSQLiteDBConnection* connection);

private:
    std::unique_ptr<TSQLiteDBConnection> CreateConnection();
    TSQLiteDBConnection& SequenceConnection();
    int DrawOnSequenceConnection(const std::string& catalogCode, const std::string& sequenceName);
    // The open main connection of Dir/Name, to copy the database from.
    sqlite3* LiveSource(const std::string& dir, const std::string& name) const;

    std::string dir_, name_, user_, password_, serverName_;
    std::string pluginName_, params_;
    bool sequenceBusy_ = false;
    TDatabaseModuleContext context_;
    std::vector<TSQLiteDBConnection*> connections_;  // every live connection made here
    std::unique_ptr<TSQLiteDBConnection> sequenceConnection_;
    std::unique_ptr<TSQLiteDBConnection> mainConnection_;
};
