#pragma once
// The hand-over to the updater: the software update leaves a marker file in
// the program folder when downloaded files wait to be applied, and the
// program starts the updater from its own folder at the end of its run so
// that the updater can replace the program's files.
#include <string>

class TUpdateHandover {
public:
    // The updater program, beside the program file.
    static constexpr const char* kUpdaterFileName = "tolvex-updater";
    // The updater's arguments when the program closes to apply an update at once.
    static constexpr const char* kRestartArguments = "restart 1000";

    // Whether ProgramFolder holds the marker "update/doupdate".
    static bool IsUpdatePending(const std::string& programFolder);
    // The updater's path beside ProgramFile; empty when ProgramFile is empty.
    static std::string UpdaterPath(const std::string& programFile);
    // Starts the updater beside ProgramFile with Arguments (words separated
    // by blanks) and does not wait for it. False when there is no updater
    // file there or it cannot be started.
    static bool StartUpdater(const std::string& programFile, const std::string& arguments);
};
