// The root object's hand-over to the software update.
#include "catalog/Tolvex.h"

#include "catalog/Singletons.h"
#include "catalog/TolvexShell.h"
#include "catalog/UpdateHandover.h"
#include "common/GlobalSettings.h"

namespace {

// The parameter lines of the software update.
std::vector<std::string> UpdateParams(const std::vector<std::string>* files, bool applyImmediately)
{
    std::vector<std::string> params;
    if (files) {
        params.push_back("OnlyFromList=yes");
        for (const std::string& file : *files)
            params.push_back("File=" + file);
    }
    if (applyImmediately)
        params.push_back("ApplyImmediate=yes");
    return params;
}

}  // namespace

bool TTolvex::RunSoftwareUpdate(const std::vector<std::string>* files, bool applyImmediately)
{
    return environment_.Shell->RunSoftwareUpdate(UpdateParams(files, applyImmediately), true);
}

void TTolvex::StartSoftwareUpdate(const std::vector<std::string>* files)
{
    environment_.Shell->RunSoftwareUpdate(UpdateParams(files, false), false);
}

bool TTolvex::RestartIfUpdatePending()
{
    if (!TUpdateHandover::IsUpdatePending(settings_->AppDir()))
        return false;
    UpdateArguments = TUpdateHandover::kRestartArguments;
    Quit();
    return true;
}
