// tolvex-sync-client FOLDER HOST-ADDRESS COMPUTER-ID
// Opens the catalog "shop" (admin/secret) of FOLDER in a program over a
// temporary program folder and merges it with the hosting service at
// HOST-ADDRESS, as the program does (packets of 100 KB, both sides applying
// at once), overriding a lock this computer left behind. Exit status 0
// when the run succeeded.
#include "ScriptedRunner.h"
#include "catalog/CatalogDataFixture.h"

#include "common/CommonGui.h"
#include "common/IniSettings.h"
#include "publishing/PublishOnTolvex.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: tolvex-sync-client FOLDER HOST-ADDRESS COMPUTER-ID\n");
        return 2;
    }
    TRootFixture root;
    TIniSettings& settings = root.Root().Settings().IniSettings();
    settings.SetString(siPublishOnTolvexHost, argv[2]);
    settings.SetString(siComputerId, argv[3]);
    const std::string error = root.Open("shop", "admin", "secret", 0, argv[1]);
    if (!error.empty()) {
        std::fprintf(stderr, "cannot open the catalog: %s\n", error.c_str());
        return 2;
    }
    root.Gui().QueueAnswer(mrYes);  // the lock of a run that was stopped
    std::vector<std::string> params{"SendPacketSize=100", "Synchronization=Merge", "ChangesHost=Immediately",
                                    "ChangesLocal=Immediately"};
    std::unique_ptr<TAbstractDBConnection> connection = root.Data()->GetConnectionFactory().OpenSecondConnection();
    TScriptedRunner runner;
    bool success = false;
    {
        TPublishOnTolvex sync(params, *connection, TPublisherEnvironment{root.Gui(), nullptr, &runner, &root.Root(), nullptr});
        sync.Run();
        success = sync.Succeeded() && sync.GetErrorCount() == 0;
    }
    if (!success)
        for (const TScriptedRunner::TLine& line : runner.lines)
            std::fprintf(stderr, "%s\n", line.Text.c_str());
    return success ? 0 : 1;
}
