#include "publishing/ImportStory.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogQueries.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "common/FileContent.h"
#include "common/WellKnownIds.h"
#include "publishing/HtmlLoader.h"
#include "publishing/ImportedItems.h"
#include "publishing/LocalReference.h"
#include "storage/AbstractDBConnection.h"
#include "storage/IdRanges.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

bool Blank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

}  // namespace

void TImportStory::Execute()
{
    const std::string fileName = Param("FileName");
    std::error_code error;
    if (!Root() || !OpenCatalog() || !fs::is_regular_file(fileName, error))
        return;
    bool done = false;
    try {
        done = Import(fileName);
    } catch (const ETolvexException& failure) {
        EndUnit(false);
        if (!cancelled_)
            WriteLog(Format("Error: $1", {failure.what()}), 3);
        throw;
    }
    EndUnit(done);
    success_ = done;
}

void TImportStory::EndUnit(bool commit)
{
    if (!connection_.InTransaction())
        return;
    if (commit)
        connection_.CommitTrans();
    else
        connection_.RollbackTrans();
    connection_.BeginTrans();
}

bool TImportStory::Import(const std::string& fileName)
{
    THtmlLoader loader;
    std::string body;
    if (loader.LoadFromFile(fileName))
        body = THtmlLoader::InnerHtml(loader.Document(), loader.Body() ? loader.Body() : loader.Root());
    if (Blank(body)) {
        WriteLog(Tr("Empty HTML file"), 3);
        return false;
    }
    WriteLog(Format("Read HTML data from \"$1\" file", {fileName}));
    changedKind_ = 5;

    TImportedItems items(*Root(), connection_, OpenCatalog()->GetCatalogCode(), Gui());
    std::string name = fs::path(fileName).stem().string();
    TCatalogQueries& queries = OpenCatalog()->GetQueries();
    int storyId = queries.FindChildByName(name, items.CatalogCode(), connection_, kStoriesRootId);
    if (storyId != 0) {
        const int answer = Gui().AskQuestion(Format("Story with name \"$1\" already exists. Replace it?", {name}), "",
                                             false, "", mbYesNoCancel);
        if (answer == mrCancel) {
            cancelled_ = true;
            return false;
        }
        if (answer != mrYes) {
            storyId = 0;
            const std::string base = name;
            for (int counter = 1; queries.FindChildByName(name, items.CatalogCode(), connection_, kStoriesRootId);
                 ++counter)
                name = base + " (" + std::to_string(counter) + ")";
        }
    }
    if (!ImportPictures(items, fs::path(fileName).parent_path().string(), name, body))
        return false;
    if (storyId == 0)
        storyId = items.Create(kStoryItemType, kStoriesRootId);
    items.SetName(storyId, name);
    items.SetText(storyId, "CommonDesign", items.DefaultLangCode(), body, "TopHTMLValue");
    return true;
}

bool TImportStory::ImportPictures(TImportedItems& items, const std::string& folder, const std::string& storyName,
                                  std::string& body)
{
    std::vector<std::string> references;
    TCommonImages::ExtractImageUrls(body, references);
    std::sort(references.begin(), references.end(), [](const std::string& a, const std::string& b) {
        return common_detail::LowerCase(a) < common_detail::LowerCase(b);
    });
    references.erase(std::unique(references.begin(), references.end()), references.end());
    std::vector<std::string> entries;
    int pictureFolder = 0;
    for (const std::string& reference : references) {
        const std::optional<std::string> file = TLocalReference::FileOf(folder, reference);
        if (!file)
            continue;
        if (cancelled_)
            return false;
        try {
            const std::optional<std::string> bytes = ReadFileContent(*file);
            const std::optional<TImportedItems::TEncodedPicture> picture =
                bytes ? TImportedItems::PreparePicture(*bytes, TCommonFunctions::GetMimeTypeByFileName(*file))
                      : std::nullopt;
            if (!picture)
                continue;
            if (pictureFolder == 0)
                pictureFolder = items.Folder(kImagesRootId, storyName + " story");
            const int id = items.Create(kImageItemType, pictureFolder);
            items.SetName(id, items.UniqueName(fs::path(*file).stem().string()));
            items.StorePicture(id, *picture);
            WriteLog(Format("Image file \"$1\" imported", {reference}));
            entries.push_back(std::to_string(id) + "=" + reference);
        } catch (const ECriticalTolvexException& error) {
            WriteLog(Format("Error: $1", {reference + ": " + error.what()}), 3);
        }
    }
    if (!entries.empty())
        body = TCommonImages::ReplaceImageUrls(body, entries, connection_, items.CatalogCode());
    return !cancelled_;
}
