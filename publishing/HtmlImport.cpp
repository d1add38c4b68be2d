#include "publishing/HtmlImport.h"

#include "catalog/CatalogFolders.h"
#include "common/CommonGui.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "common/XmlPtr.h"
#include "publishing/HtmlLoader.h"
#include "publishing/LocalReference.h"
#include "publishing/HttpClient.h"

#include <libxml/uri.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <sstream>
#include <utility>

namespace {

bool IsWebAddress(const std::string& url)
{
    std::string scheme = url.substr(0, url.find(':'));
    std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](unsigned char c) { return std::tolower(c); });
    return url.find("://") == scheme.size() && (scheme == "http" || scheme == "https");
}

bool Blank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

}  // namespace

THtmlImport::THtmlImport(TCommonGui& gui, TCatalogFolders* folders, TAbstractDBConnection& connection,
                         std::string catalogCode, std::string proxyHost, int proxyPort)
    : gui_(gui),
      folders_(folders),
      connection_(connection),
      catalogCode_(std::move(catalogCode)),
      proxyHost_(std::move(proxyHost)),
      proxyPort_(proxyPort)
{
}

std::string THtmlImport::PageBody(const std::string& page, bool removeScripts, const std::string& url,
                                  std::vector<std::string>* pictures, const std::string& contentType)
{
    THtmlLoader loader;
    if (!loader.LoadFromMemory(page, url, contentType))
        return {};
    return BodyOf(loader, removeScripts, url, pictures);
}

std::string THtmlImport::BodyOf(const THtmlLoader& loader, bool removeScripts, const std::string& url,
                                std::vector<std::string>* pictures)
{
    xmlNode* body = loader.Body();
    if (!body)
        body = loader.Root();
    if (!body)
        return {};
    if (removeScripts) {
        std::vector<xmlNode*> scripts;
        THtmlLoader::CollectElements(body, "script", scripts);
        for (auto it = scripts.rbegin(); it != scripts.rend(); ++it) {
            xmlUnlinkNode(*it);
            xmlFreeNode(*it);
        }
    }
    if (pictures) {
        std::vector<xmlNode*> images;
        THtmlLoader::CollectElements(body, "img", images);
        std::set<std::string> seen;
        for (xmlNode* image : images) {
            const std::string src = THtmlLoader::Attribute(image, "src");
            if (src.empty())
                continue;
            const TXmlStringPtr absolute(xmlBuildURI(BAD_CAST src.c_str(), BAD_CAST url.c_str()));
            const std::string address = absolute ? reinterpret_cast<const char*>(absolute.get()) : "";
            if (!address.empty() && seen.insert(address).second)
                pictures->push_back(address + "=" + src);
        }
    }
    return THtmlLoader::InnerHtml(loader.Document(), body);
}

bool THtmlImport::IsLocalReference(const std::string& reference)
{
    return TLocalReference::IsLocal(reference);
}

bool THtmlImport::FromFile(bool importImages, std::string& html)
{
    std::string fileName;
    if (!gui_.SelectOpenFile("Open HTML File", "", "HTML files (*.html)|*.html;*.htm", fileName))
        return false;
    return ReadFile(fileName, importImages, html);
}

bool THtmlImport::ReadFile(const std::string& fileName, bool importImages, std::string& html)
{
    THtmlLoader loader;
    if (!loader.LoadFromFile(fileName))
        return false;
    html = BodyOf(loader, false, "", nullptr);
    if (Blank(html))
        return false;
    if (importImages && folders_)
        html = ImportFilePictures(html, fileName);
    return true;
}

std::string THtmlImport::ImportFilePictures(const std::string& html, const std::string& fileName)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(fileName).parent_path();
    const std::string subfolder = "Imported from " + fs::path(fileName).filename().string() + " file";
    std::vector<std::string> references;
    TCommonImages::ExtractImageUrls(html, references);
    std::sort(references.begin(), references.end());
    references.erase(std::unique(references.begin(), references.end()), references.end());
    std::vector<std::string> entries;
    for (const std::string& reference : references) {
        if (!TLocalReference::FileOf(folder.string(), reference))
            continue;
        const int id = folders_->ImportImageFromFile(folder.string(), reference, subfolder, connection_);
        if (id > 0)
            entries.push_back(std::to_string(id) + "=" + reference);
    }
    return entries.empty() ? html : TCommonImages::ReplaceImageUrls(html, entries, connection_, catalogCode_);
}

bool THtmlImport::FromWeb(bool importImages, std::string& html)
{
    std::string url;
    bool keepScripts = true;
    if (!gui_.InputValueWithCheckBox("Import HTML From Web", "Include script elements", "Enter URL of the page", url,
                                     keepScripts) ||
        Blank(url))
        return false;
    return ReadPage(url, !keepScripts, importImages, html);
}

bool THtmlImport::ReadPage(const std::string& url, bool removeScripts, bool importImages, std::string& html)
{
    if (!IsWebAddress(url))
        return false;
    THttpClient client(proxyHost_, proxyPort_);
    client.SetLimits(kMaxPageBytes, kTimeoutSeconds);
    bool stopped = false;
    client.KeepAlive = [this, &stopped] {
        gui_.ProcessMessages();
        stopped = stopped || !gui_.ProgressStep(0);
        return stopped;
    };
    THtmlLoader loader;
    loader.SetLimits(kMaxPageBytes, kTimeoutSeconds);
    loader.Stopped = [&stopped] { return stopped; };
    gui_.ProgressStart("Loading HTML Page", 0);
    try {
        loader.LoadFromUrl(url, client);
    } catch (const EPublisherTolvexException& error) {
        gui_.ProgressEnd();
        if (!stopped)
            gui_.ShowError("Cannot download page data: " + std::string(error.what()), false);
        return false;
    }
    std::vector<std::string> pictures;
    std::string body = loader.Root() ? BodyOf(loader, removeScripts, url, importImages ? &pictures : nullptr) : "";
    if (Blank(body)) {
        gui_.ProgressEnd();
        return false;
    }
    if (importImages && folders_) {
        body = ImportWebPictures(body, url, pictures, stopped);
        if (stopped) {
            gui_.ProgressEnd();
            return false;
        }
    }
    gui_.ProgressEnd();
    html = std::move(body);
    return true;
}

std::string THtmlImport::ImportWebPictures(const std::string& html, const std::string& url,
                                           const std::vector<std::string>& pictures, bool& stopped)
{
    const std::string subfolder = "Imported from " + url + " file";
    THttpClient client(proxyHost_, proxyPort_);
    client.SetLimits(kMaxPageBytes, kTimeoutSeconds);
    client.KeepAlive = [this, &stopped] {
        gui_.ProcessMessages();
        stopped = stopped || !gui_.ProgressStep(0);
        return stopped;
    };
    const TCatalogFolders::THttpGet get = [&client](const std::string& address) {
        std::ostringstream bytes;
        const THttpResponse answer = client.Get(address, bytes);
        return TCatalogFolders::THttpReply{static_cast<int>(answer.StatusCode), answer.ContentType, bytes.str()};
    };
    std::vector<std::string> entries;
    for (const std::string& picture : pictures) {
        stopped = stopped || !gui_.ProgressStep(0);
        if (stopped)
            return html;
        const std::size_t equals = picture.find('=');
        const std::string address = picture.substr(0, equals);
        if (!IsWebAddress(address))
            continue;
        const int id = folders_->ImportImageFromUrl(address, get, subfolder, connection_);
        if (stopped)
            return html;
        if (id > 0)
            entries.push_back(std::to_string(id) + "=" + picture.substr(equals + 1));
    }
    return entries.empty() ? html : TCommonImages::ReplaceImageUrls(html, entries, connection_, catalogCode_);
}
