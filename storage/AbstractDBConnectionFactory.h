#pragma once
// A database module: a plug-in of kind 2 whose instances are connection
// factories. One factory stands for one database: it opens the main
// connection, hands out further connections and manages the database file.
#include "storage/AbstractPluginClass.h"
#include "storage/AbstractDBConnection.h"

#include <memory>
#include <string>

class TAbstractDBConnectionFactoryBasic : public TAbstractPluginClass {};

class TAbstractDBConnectionFactory : public TAbstractDBConnectionFactoryBasic {
public:
    virtual bool OpenDatabase(const std::string& dir, const std::string& name,
                              const std::string& user, const std::string& password) = 0;
    // The main connection (no transaction; each statement commits by itself).
    virtual TAbstractDBConnection& GetConnection() = 0;
    // A new connection with a transaction begun at once; owned by the caller.
    virtual std::unique_ptr<TAbstractDBConnection> OpenSecondConnection() = 0;
    // A connection that only reads the database Dir/Name, opened without
    // changing anything in it, to look into a file before it is opened as a
    // database (OpenDatabase may prepare the file for its own use). Null
    // when the database does not exist, or when the module cannot open a
    // database that way.
    virtual std::unique_ptr<TAbstractDBConnection> OpenReadOnlyConnection(const std::string& /*dir*/,
                                                                          const std::string& /*name*/)
    {
        return nullptr;
    }
    virtual bool CreateDatabase(const std::string& dir, const std::string& serverName,
                                const std::string& name, const std::string& user,
                                const std::string& password, int flag) = 0;
    virtual void CheckNewDatabase(const std::string& dir, const std::string& serverName,
                                  const std::string& name, const std::string& user,
                                  const std::string& password, std::string& message,
                                  int& code) = 0;
    virtual std::string GetOpenWarning() const = 0;
    virtual bool DeleteDatabase(const std::string& dir, const std::string& serverName,
                                const std::string& name, const std::string& user,
                                const std::string& password) = 0;
    virtual void BackupDatabase(const std::string& dir, const std::string& serverName,
                                const std::string& name, const std::string& user,
                                const std::string& password) = 0;
    virtual void AutoBackup(const std::string& dir, const std::string& serverName,
                            const std::string& name, const std::string& user,
                            const std::string& password) = 0;
    virtual void RestoreDatabase(const std::string& dir, const std::string& serverName,
                                 const std::string& name, const std::string& user,
                                 const std::string& password) = 0;
    virtual bool CompactDatabase(const std::string& dir, const std::string& serverName,
                                 const std::string& name, const std::string& user,
                                 const std::string& password) = 0;
    virtual bool IsNameFree(const std::string& name) const = 0;
    virtual std::string GetDatabaseFileName(const std::string& name) const = 0;
    virtual bool RenameDatabase(const std::string& dir, const std::string& oldFileName,
                                const std::string& newFileName) = 0;
    virtual int NextSequenceId(const std::string& catalogCode, const std::string& sequenceName) = 0;
};
