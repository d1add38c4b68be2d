#pragma once
// Brings the HTML of one page into an editor: from a file the user picks, or
// from an address on the web, parsed by THtmlLoader. The editor gets the content of the page's
// body; the pictures it shows are imported as image items (from the file's
// own folder, or from the web) and its references then point at them.
//
// A page's pictures are only ever taken from where the page itself lies: a
// file's from its folder and the folders below it (never an absolute path
// or a path leading out), a web page's over http or https. A page fetched
// from the web is limited in size and time, and the wait can be stopped.
#include <cstdint>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TCatalogFolders;
class TCommonGui;
class THtmlLoader;

class THtmlImport {
public:
    // A page larger than this, or slower than this, is not imported.
    static constexpr std::int64_t kMaxPageBytes = 4LL * 1024 * 1024;
    static constexpr long kTimeoutSeconds = 30;

    // Folders imports the pictures; null imports none.
    THtmlImport(TCommonGui& gui, TCatalogFolders* folders, TAbstractDBConnection& connection,
                std::string catalogCode, std::string proxyHost = "", int proxyPort = 0);

    // "Open HTML File": asks for the file; false when none was chosen or it
    // holds no HTML.
    bool FromFile(bool importImages, std::string& html);
    // "Import HTML From Web": asks for the address and whether the page's
    // scripts stay; false when cancelled, for an address that is not http
    // or https, and for a page that could not be fetched (said why).
    bool FromWeb(bool importImages, std::string& html);

    // The same without the questions.
    bool ReadFile(const std::string& fileName, bool importImages, std::string& html);
    bool ReadPage(const std::string& url, bool removeScripts, bool importImages, std::string& html);

    // The HTML inside the page's body, parsed as HTML (a page without a body
    // element gives what it holds); without script elements when asked.
    // Url, when given, is what the page's relative picture addresses are
    // resolved against: Pictures gets each picture once, as "absolute
    // address=address as written".
    // ContentType is the type the server sent: its charset decodes the page.
    static std::string PageBody(const std::string& page, bool removeScripts, const std::string& url = "",
                                std::vector<std::string>* pictures = nullptr, const std::string& contentType = "");
    // A picture reference of a file that names a file in the file's folder
    // or below it: relative, without a scheme, a "..", a query or a fragment.
    static bool IsLocalReference(const std::string& reference);

private:
    static std::string BodyOf(const THtmlLoader& loader, bool removeScripts, const std::string& url,
                              std::vector<std::string>* pictures);
    std::string ImportFilePictures(const std::string& html, const std::string& fileName);
    // Stopped is set when the user stopped the imports.
    std::string ImportWebPictures(const std::string& html, const std::string& url,
                                  const std::vector<std::string>& pictures, bool& stopped);

    TCommonGui& gui_;
    TCatalogFolders* folders_;
    TAbstractDBConnection& connection_;
    std::string catalogCode_;
    std::string proxyHost_;
    int proxyPort_;
};
