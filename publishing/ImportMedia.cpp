#include "publishing/ImportMedia.h"

#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "common/CommonFunctions.h"
#include "common/Picture.h"
#include "common/PictureFile.h"
#include "common/WellKnownIds.h"
#include "publishing/ImportedItems.h"
#include "storage/CatalogTables.h"
#include "storage/IdRanges.h"
#include "storage/UnitOfWorkScope.h"

#include <cctype>
#include <filesystem>
#include <optional>
#include <utility>

namespace {

bool AskToGoOn(TCommonGui& gui, const std::string& question, std::size_t index, std::size_t count)
{
    return index + 1 >= count || gui.AskQuestion(question, "", true) == mrYes;
}

void Log(const TImportMedia::TServices& services, const std::string& line)
{
    if (services.Log)
        services.Log(line);
}

// Style images take ids of the templates' image range, below its upper tenth.
constexpr int kStyleImageIdHigh = 690000;

// The alternative file name is what style sheets and pages use to name the
// picture; only the image of that name, or none, may take it.
bool UsableStyleImageName(TImportedItems& items, const std::string& name, int itemId)
{
    return !name.empty() && items.SetAltFileName(itemId, name);
}

}  // namespace

std::string TImportMedia::StyleImageName(const std::string& path)
{
    return AltNameOfPath(std::filesystem::path(path).stem().string());
}

TImportMedia::TResult TImportMedia::ImportStyleImages(const TServices& services, TImportedItems& items,
                                                      const std::vector<std::string>& files,
                                                      const std::string& folderName)
{
    TWaitCursor wait(services.Gui);
    TResult result;
    const auto skip = [&](const std::string& file, const std::string& why) {
        result.Skipped.push_back(file);
        Log(services, "Skipped \"" + file + "\": " + why);
    };
    // Every picture is decoded and encoded before anything is written.
    std::vector<std::pair<std::string, TImportedItems::TEncodedPicture>> pictures;
    for (const std::string& file : files) {
        try {
            TPicture decoded = TPictureFile::Load(file);
            if (std::optional<TImportedItems::TEncodedPicture> encoded =
                    TImportedItems::EncodePicture(decoded, TCommonFunctions::GetMimeTypeByFileName(file)))
                pictures.emplace_back(file, std::move(*encoded));
            else
                skip(file, "the picture cannot be stored in its format");
        } catch (const ECriticalTolvexException& error) {
            skip(file, error.what());
        }
    }
    if (pictures.empty())
        return result;

    TUnitOfWorkScope unit(items.Connection());
    unit.Enter("Items");
    const int folderId = items.Folder(kImagesRootId, folderName.empty() ? "Imported Images" : folderName);
    for (const auto& [file, picture] : pictures) {
        const std::string name = StyleImageName(file);
        // Each file on its own savepoint: one whose name cannot be taken leaves nothing behind.
        TUnitOfWorkScope one(items.Connection());
        one.Enter("Items");
        int itemId = name.empty() ? 0 : items.ItemForBaseName(name, kImageItemType);
        if (itemId == 0 && !name.empty())
            itemId = items.CreateInRange(kImageItemType, folderId, kTemplateImageIdLow, kStyleImageIdHigh);
        if (!UsableStyleImageName(items, name, itemId)) {
            skip(file, "\"" + name + "\" is no file name an image can have here");
            continue;
        }
        items.SetName(itemId, name);
        items.SetName(itemId, name, kNoLanguageCode);
        items.StorePicture(itemId, picture, true);
        one.Commit();
        ++result.Imported;
        Log(services, "Imported \"" + file + "\" as \"" + name + "\"");
    }
    // A run that imported nothing leaves no folder behind either.
    if (result.Imported > 0)
        unit.Commit();
    return result;
}

std::string TImportMedia::AltNameOfPath(const std::string& path)
{
    std::string name;
    for (const char c : path)
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_')
            name += c;
    return name;
}

TImportMedia::TResult TImportMedia::ImportImages(const TServices& services, const std::vector<std::string>& files,
                                                 const std::string& folderName, const std::string& thumbnailSize,
                                                 const std::string& largeSize)
{
    TResult result;
    const std::string folder = folderName.empty() ? "Imported Images" : folderName;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& file = files[i];
        try {
            TPictureFile::Load(file);  // size and format checked before the dialog shows it
        } catch (const ECriticalTolvexException& error) {
            result.Skipped.push_back(file);
            Log(services, "Skipped \"" + file + "\": " + error.what());
            continue;
        }
        std::vector<std::string> params = {"FolderName=" + folder,
                                           "AltFileName=" + AltNameOfPath(file),
                                           "DontShowDatabaseList=yes",
                                           "InitFileName=" + file,
                                           "CanBackground=yes",
                                           "ThumbnailImageSize=" + thumbnailSize,
                                           "CanThumbnailCopy=yes",
                                           "LargeImageSize=" + largeSize,
                                           "CanLargeCopy=yes",
                                           "DontDefaultMainScale=yes"};
        if (services.RunDialog("image", params)) {
            ++result.Imported;
            Log(services, "Imported \"" + file + "\"");
        } else if (!AskToGoOn(services.Gui, "Continue with import images?", i, files.size())) {
            break;
        }
    }
    return result;
}

TImportMedia::TResult TImportMedia::ImportBinaryObjects(const TServices& services,
                                                        const std::vector<std::string>& files,
                                                        const std::string& folderName)
{
    TResult result;
    const std::string folder = folderName.empty() ? "Imported Objects" : folderName;
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::vector<std::string> params = {"DontShowInsert=yes", "FolderName=" + folder, "DontShowDatabaseList=yes",
                                           "InitFileName=" + files[i]};
        if (services.RunDialog("insertbinaryobject", params))
            ++result.Imported;
        else if (!AskToGoOn(services.Gui, "Continue with import objects?", i, files.size()))
            break;
    }
    return result;
}
