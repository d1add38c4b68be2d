#pragma once
// The site of the publishing benchmarks: a catalog of the shipped type 1
// (TPublishSite) grown to a number of pages, the home page, 99 sections
// below it and story pages spread over the sections.
#include "PublishSiteFixture.h"

#include "storage/UnitOfWorkScope.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace bench_site {

constexpr int kSectionType = 3001;  // an information page
constexpr int kStoryType = 3002;
constexpr int kSections = 99;

// The ids of the pages: the home page, the sections, then the stories.
inline std::vector<int> GrowCatalog(TPublishSite& site, int pages)
{
    std::vector<int> ids{site.HomePageId()};
    TAbstractDBConnection& connection = site.Connection();
    TUnitOfWorkScope unit(connection);
    unit.Enter("Items");
    std::vector<int> sections;
    for (int s = 0; s < kSections && static_cast<int>(ids.size()) < pages; ++s) {
        const int id = site.AddItem(kSectionType, site.HomePageId());
        site.SetName(id, "Section " + std::to_string(s + 1), "Bereich " + std::to_string(s + 1));
        sections.push_back(id);
        ids.push_back(id);
    }
    for (int i = 0; static_cast<int>(ids.size()) < pages; ++i) {
        const int id = site.AddItem(kStoryType, sections[static_cast<std::size_t>(i) % sections.size()]);
        site.SetName(id, "Story " + std::to_string(i + 1), "Geschichte " + std::to_string(i + 1));
        ids.push_back(id);
    }
    unit.Commit();
    return ids;
}

using TClock = std::chrono::steady_clock;

inline double Seconds(TClock::time_point since)
{
    return std::chrono::duration<double>(TClock::now() - since).count();
}

}  // namespace bench_site
