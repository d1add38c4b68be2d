#pragma once
// The hand-over to the updater: the software update leaves a marker file in
// the program folder when downloaded files wait to be applied, and the
// program starts the updater from its own folder at the end of its run so
// that the updater can replace the program's files.
#include <string>
#include <vector>

class TUpdateHandover {
public:
    // The updater program, beside the program file.
    static constexpr const char* kUpdaterFileName = "tolvex-updater";
    // The updater's arguments when the program closes to apply an update at once.
    static constexpr const char* kRestartArguments = "restart 1000";

    // The program folder when none is given: "home" beside ProgramFile.
    static std::string DefaultProgramFolder(const std::string& programFile);
    // Whether ProgramFolder holds the marker "update/doupdate".
    static bool IsUpdatePending(const std::string& programFolder);
    // The updater's path beside ProgramFile; empty when ProgramFile is empty.
    static std::string UpdaterPath(const std::string& programFile);
    // Starts the updater beside ProgramFile with Arguments (words separated
    // by blanks) and does not wait for it: it applies the update of
    // ProgramFolder (its default when empty) and, when it restarts the
    // program, starts it with ProgramArguments, those the program was
    // started with. False when there is no updater file there or it cannot
    // be started.
    static bool StartUpdater(const std::string& programFile, const std::string& arguments,
                             const std::string& programFolder = {},
                             const std::vector<std::string>& programArguments = {});
};
