#pragma once
// The program folder: the folder that holds the settings file, the databases
// folder, the language files, Help and UserData. It is set once at start
// (from --home, or found beside the executable) and tests set a fresh one.
#include <string>

class TCommonApp {
public:
    // The program folder without a trailing separator.
    const std::string& GetAppDir() const { return appDir_; }
    // Sets the program folder; a trailing separator is dropped.
    void SetAppDir(const std::string& dir);

private:
    std::string appDir_;
};
