#include "shell/EnvironmentCheck.h"

#include "common/Translation.h"
#include "storage/ConfiguredDatabase.h"
#include "storage/SQLiteModule.h"
#include "storage/ShippedData.h"

#include <QLibraryInfo>
#include <QString>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

const char* const kInstallNotes = "Run scripts/run again: it installs the missing Debian packages.";

}  // namespace

TEnvironmentCheck::TEnvironmentCheck(const TTranslation* translation) : translation_(translation) {}

std::string TEnvironmentCheck::Line(const std::string& line, const std::string& arg) const
{
    return TTranslation::OrEnglish(translation_).Format(line, {arg});
}

void TEnvironmentCheck::AddStatus(const std::string& line, const std::string& arg)
{
    statusLines_.push_back(Line(line, arg));
}

void TEnvironmentCheck::AddProblem(const std::string& line, const std::string& arg)
{
    problemLines_.push_back(line.empty() ? std::string() : Line(line, arg));
}

void TEnvironmentCheck::UseProgramChecks(const std::string& programFolder, const std::string& dataDir)
{
    steps_ = {LibrariesCheck(ProgramLibraries()), WebEngineCheck(WebEngineHelperPath()),
              DatabasesCheck(programFolder, dataDir)};
}

bool TEnvironmentCheck::Check()
{
    statusLines_.clear();
    for (const TStep& step : steps_)
        if (!step(*this))
            return false;
    return true;
}

std::string TEnvironmentCheck::InformationText() const
{
    std::string text;
    for (const std::string& line : statusLines_)
        text += line + "\n\n";
    for (const std::string& line : problemLines_)
        text += line + "\n\n";
    return text;
}

// ---- the checks -----------------------------------------------------------------------------------

std::vector<std::string> TEnvironmentCheck::ProgramLibraries()
{
    return {"libsqlite3.so.0", "libxml2.so.2", "libxslt.so.1", "libexslt.so.0", "libcurl.so.4",
            "libpcre2-8.so.0", "libz.so.1", "libQt6WebEngineCore.so.6"};
}

std::string TEnvironmentCheck::WebEngineHelperPath()
{
    if (const char* configured = std::getenv("QTWEBENGINEPROCESS_PATH"); configured && *configured)
        return configured;
    return (QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + "/QtWebEngineProcess").toStdString();
}

TEnvironmentCheck::TStep TEnvironmentCheck::LibrariesCheck(std::vector<std::string> libraries)
{
    return [libraries](TEnvironmentCheck& check) {
        for (const std::string& library : libraries) {
            void* handle = dlopen(library.c_str(), RTLD_LAZY | RTLD_LOCAL);
            if (!handle) {
                check.AddStatus("Library \"$1\" not found", library);
                check.AddProblem("Tolvex needs the library \"$1\", which this system does not have.", library);
                check.AddProblem("");
                check.AddProblem(kInstallNotes);
                check.AddProblem("");
                return false;
            }
            dlclose(handle);
        }
        check.AddStatus("Libraries: all $1 found", std::to_string(libraries.size()));
        return true;
    };
}

TEnvironmentCheck::TStep TEnvironmentCheck::WebEngineCheck(std::string helperProcess)
{
    return [helperProcess](TEnvironmentCheck& check) {
        check.AddStatus("Web engine: \"$1\"", helperProcess);
        if (access(helperProcess.c_str(), X_OK) == 0) {
            check.AddStatus("Web engine can be started");
            return true;
        }
        check.AddStatus("Web engine cannot be started");
        check.AddProblem("The web engine that shows previews and help is missing: \"$1\" cannot be run.",
                         helperProcess);
        check.AddProblem("");
        check.AddProblem(kInstallNotes);
        check.AddProblem("");
        return false;
    };
}

TEnvironmentCheck::TStep TEnvironmentCheck::DatabasesCheck(std::string programFolder, std::string dataDir)
{
    return [programFolder, dataDir](TEnvironmentCheck& check) {
        std::error_code error;
        const bool sources = !dataDir.empty() && fs::is_directory(dataDir, error);
        const std::string folder = DatabasesFolder(programFolder);
        std::vector<std::string> missing;
        if (sources) {
            for (const std::string& name : TShippedData(dataDir).DatabaseNames())
                if (!fs::exists(SQLiteDatabaseFileName(folder, name), error))
                    missing.push_back(name);
        } else if (!fs::is_directory(folder, error) || fs::is_empty(folder, error)) {
            missing.push_back(folder);
        }
        if (missing.empty()) {
            check.AddStatus("Shipped databases installed");
            return true;
        }
        if (sources) {
            // The program builds what is missing when it starts.
            check.AddStatus("Shipped databases: $1 to be built from the data sources", std::to_string(missing.size()));
            return true;
        }
        check.AddStatus("Shipped databases not installed");
        check.AddProblem("Tolvex did not find its databases in \"$1\".", folder);
        check.AddProblem("");
        check.AddProblem(kInstallNotes);
        check.AddProblem("");
        return false;
    };
}
