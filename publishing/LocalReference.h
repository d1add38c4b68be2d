#pragma once
// The files a page on disk may bring along: a reference of the page (a
// picture, a style sheet, a script) names a file only inside the page's
// folder or below it. An absolute path, a scheme ("file:", "http:"), a ".."
// segment, a query or a fragment never names a local file, and neither does
// a link that leads out of the folder.
#include <optional>
#include <string>

class TLocalReference {
public:
    // Relative, without a scheme, a "..", a query or a fragment.
    static bool IsLocal(const std::string& reference);
    // The file Reference names in Folder (a regular file inside the folder
    // once links are followed); nothing when it names none.
    static std::optional<std::string> FileOf(const std::string& folder, const std::string& reference);
};
