#include "editors/site/options/FrameTolvexAboutModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "storage/AbstractDBConnectionFactory.h"

std::string TFrameTolvexAboutModel::PageUrl(const std::string& programFolder)
{
    std::string folder = programFolder;
    while (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    // "file:///" already holds the root's slash.
    if (!folder.empty() && folder.front() == '/')
        folder.erase(0, 1);
    return "file:///" + folder + "/about/tolvex.htm";
}

void TFrameTolvexAboutModel::SetGoHome(bool goHome)
{
    goHome_ = goHome;
    // On the catalog's main connection, which commits each statement.
    context_.Catalog.SetCatalogProperty(kPropertyStartOnAbout, goHome ? "no" : "yes",
                                        context_.Data.GetConnectionFactory().GetConnection(), context_.CatalogCode);
}
