#include "publishing/ImportMedia.h"

#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "common/PictureFile.h"

#include <cctype>

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

}  // namespace

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
