// Publishing a catalog's site into a folder.
#include "PublishSiteFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(PublishLocally, Explore)
{
    TPublishSite site;
    std::vector<std::string> params = site.Params();
    auto publish = site.Make(params);
    publish->Run();
    for (const auto& [name, bytes] : site.Files())
        std::cout << name << " " << bytes.size() << "\n";
    for (const std::string& line : site.Runner().Texts())
        std::cout << line << "\n";
}

}  // namespace
