#pragma once
// Where the help pages are and what an alias points at, without a window.
// The program folder holds a help folder ("Help", found whatever the case
// of its name) with "aliases.txt" (lines of an alias, "=" and a topic: a
// page, optionally with "#" and an anchor) and one folder of pages per
// help language ("en", "de", ...).
#include <string>
#include <vector>

namespace HelpFiles {

// The entry of Parent named Name without regard to case; empty when none.
std::string FindIgnoringCase(const std::string& parent, const std::string& name);
// The help folder of the program folder; empty when there is none.
std::string HelpFolder(const std::string& programFolder);
// The pages of a help language; the English pages when that language has
// none; empty when neither exists.
std::string LanguageFolder(const std::string& helpFolder, const std::string& languageCode);
// The lines of the alias file; empty when it is missing.
std::vector<std::string> LoadAliases(const std::string& helpFolder);
// The topic of the first line whose alias equals Alias, ignoring case; empty when none.
std::string TopicOf(const std::vector<std::string>& aliases, const std::string& alias);
// Copies the shipped help folder into the program folder as "Help" when
// the program folder has none yet. False when the source is missing.
bool InstallHelp(const std::string& shippedHelpFolder, const std::string& programFolder);

}  // namespace HelpFiles
