#include "storage/SQLiteModule.h"

#include "storage/SQLiteConnectionFactory.h"

namespace {

TDatabaseModuleContext& DefaultContext()
{
    static TDatabaseModuleContext context;
    return context;
}

}  // namespace

TSQLiteModuleDescriptor SQLiteModuleDescriptor()
{
    return {SQLiteModuleName,
            "SQLite databases",
            {{"FileExt", SQLiteFileExt}, {"DeleteDatabase", "yes"}, {"CompressDatabase", "yes"}}};
}

std::string SQLiteDatabaseFileName(const std::string& dir, const std::string& name)
{
    return dir + "/" + name + "." + SQLiteFileExt;
}

void SetDefaultDatabaseModuleContext(const TDatabaseModuleContext& context)
{
    DefaultContext() = context;
}

const TDatabaseModuleContext& DefaultDatabaseModuleContext()
{
    return DefaultContext();
}

std::unique_ptr<TAbstractDBConnectionFactory> CreateSQLiteConnectionFactory(const std::string& name,
                                                                            const std::string& params)
{
    return std::make_unique<TSQLiteConnectionFactory>(name, params, DefaultDatabaseModuleContext());
}
