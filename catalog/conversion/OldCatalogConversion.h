#pragma once
// Converting a catalog file of the previous program generation in place:
// the check whether a file is one, and the run that replaces it by a new
// catalog of the same code.
//
// The new catalog is built in a work folder beside the old file and takes
// the old file's name only after its content committed; until then the old
// file is never written, moved or renamed, so a failure, a cancel or a
// killed process leaves it where it was and openable. The old file (with its
// -wal and -shm files) then goes to the backup folder as <code>_bak.
#include <string>

class TCatalogDefinition;
class TGlobalDefinition;
class TCommonGui;
class TConversionProgress;
class TDBManager;
class TTolvexObjectContext;

class TOldCatalogConversion {
public:
    enum class TCheck { NotOldCatalog, Convertible, WrongPassword, WrongCatalogType };

    struct TServices {
        TDBManager& DBManager;
        TCatalogDefinition& Definition;    // creates the new catalog
        TGlobalDefinition& Names;          // symbolic item ids and types
        const TTolvexObjectContext& Classes;
    };

    struct TRequest {
        std::string DbType;        // the database module
        std::string Folder;        // where <code> is, and where the new catalog goes
        std::string BackupFolder;  // where the old file goes after a conversion
        std::string CatalogCode;
    };

    struct TResult {
        bool Success = false;
        bool Cancelled = false;
        std::string UserName;  // the new catalog's administrator and password
        std::string Password;
        std::string DirName;   // the folder, after a run that was not cancelled
    };

    // Whether Folder/Code is a catalog of the previous generation whose
    // vendor Code has Password, and of a type that converts.
    static TCheck Check(TDBManager& dbManager, const std::string& dbType, const std::string& folder,
                        const std::string& catalogCode, const std::string& password);

    // Converts; raises what the conversion raised, after removing whatever
    // it built (the old file stays in place).
    static TResult Run(const TServices& services, const TRequest& request, TConversionProgress& progress);

    // The work folder of a conversion of Code in Folder.
    static std::string WorkFolder(const std::string& folder, const std::string& catalogCode);
};
