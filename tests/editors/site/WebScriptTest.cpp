// The editors' web scripts are read from the program's resources: each file
// of editors/site/scripts as it stands, and a name the build lacks is an
// error instead of an empty script.
#include "common/Exceptions.h"
#include "common/FileContent.h"
#include "editors/site/WebScript.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(WebScript, EveryScriptFileIsBuiltInAsItStands)
{
    const std::filesystem::path folder = std::filesystem::path(TestSourceDir()) / ".." / "editors" / "site" / "scripts";
    int scripts = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".js")
            continue;
        ++scripts;
        const std::string name = entry.path().filename().string();
        const std::string text = ReadFileContent(entry.path().string()).value_or("");
        ASSERT_FALSE(text.empty()) << name;
        EXPECT_EQ(WebScript(name.c_str()).toStdString(), text) << name;
    }
    EXPECT_GT(scripts, 0);
}

TEST(WebScript, AScriptTheBuildLacksIsAnError)
{
    EXPECT_THROW(WebScript("noSuchScript.js"), EDeveloperTolvexException);
}

}  // namespace
