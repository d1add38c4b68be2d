#include "publishing/SoftwareUpdate.h"

#include "catalog/Singletons.h"
#include "common/AtomicFile.h"
#include "common/CRC32.h"
#include "common/CommonApp.h"
#include "common/CommonFunctions.h"
#include "common/CommonGui.h"
#include "common/CommonProcedures.h"
#include "common/Exceptions.h"
#include "common/IniSettings.h"
#include "common/ParamList.h"
#include "common/Translation.h"
#include "publishing/HttpClient.h"
#include "publishing/SiteFolder.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr const char* kUpdateFolderName = "update";
constexpr const char* kDoUpdateName = "doupdate";
constexpr const char* kVersionsName = "versions.xml";
constexpr const char* kListCopyName = "newupdate.xml";

struct TXmlFree {
    void operator()(xmlChar* text) const { xmlFree(text); }
};
struct TDocDeleter {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using TDoc = std::unique_ptr<xmlDoc, TDocDeleter>;

bool Named(const xmlNode* node, const char* name)
{
    return node && node->type == XML_ELEMENT_NODE && xmlStrcmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

std::vector<xmlNode*> Children(xmlNode* parent, const char* name)
{
    std::vector<xmlNode*> found;
    for (xmlNode* node = parent ? parent->children : nullptr; node; node = node->next)
        if (Named(node, name))
            found.push_back(node);
    return found;
}

// The text of a child element whose first child is a text node; none
// otherwise.
std::optional<std::string> ChildText(xmlNode* parent, const char* name)
{
    for (xmlNode* node : Children(parent, name)) {
        if (!node->children || node->children->type != XML_TEXT_NODE)
            continue;
        std::unique_ptr<xmlChar, TXmlFree> text(xmlNodeGetContent(node));
        return text ? std::string(reinterpret_cast<const char*>(text.get())) : std::string();
    }
    return std::nullopt;
}

// "/client/latest/<name>" elements.
std::vector<xmlNode*> Latest(xmlDoc* doc, const char* name)
{
    xmlNode* root = doc ? xmlDocGetRootElement(doc) : nullptr;
    if (!Named(root, "client"))
        return {};
    std::vector<xmlNode*> found;
    for (xmlNode* latest : Children(root, "latest"))
        for (xmlNode* node : Children(latest, name))
            found.push_back(node);
    return found;
}

// Every "file" element anywhere in the document whose child Field has Value.
std::vector<xmlNode*> FilesWhere(xmlNode* node, const char* field, const std::string& value)
{
    std::vector<xmlNode*> found;
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        if (Named(node, "file")) {
            for (xmlNode* child : Children(node, field)) {
                std::unique_ptr<xmlChar, TXmlFree> text(xmlNodeGetContent(child));
                if (text && value == reinterpret_cast<const char*>(text.get())) {
                    found.push_back(node);
                    break;
                }
            }
        }
        std::vector<xmlNode*> deeper = FilesWhere(node->children, field, value);
        found.insert(found.end(), deeper.begin(), deeper.end());
    }
    return found;
}

// A signed 32-bit decimal; 0 when the text is no such number.
std::int32_t ToInt32(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    const std::string trimmed =
        first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    return error == std::errc() && end == trimmed.data() + trimmed.size() ? value : 0;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Whether Archive would overwrite one of the update folder's own files.
bool IsReservedName(const std::string& archive)
{
    const std::string lower = Lower(archive);
    return lower == kDoUpdateName || lower == kVersionsName || lower == kListCopyName;
}

TDoc ParseXml(const std::string& text)
{
    return TDoc(xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                              XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
}

TDoc LoadXml(const std::string& fileName)
{
    std::error_code error;
    if (!fs::is_regular_file(fileName, error))
        return nullptr;
    return ParseXml(TCommonFunctions::LoadStringFromFile(fileName));
}

std::string DocumentText(xmlDoc* doc)
{
    xmlChar* bytes = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(doc, &bytes, &size, "UTF-8", 1);
    std::unique_ptr<xmlChar, TXmlFree> owned(bytes);
    return bytes ? std::string(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size)) : std::string();
}

std::string Encode(const std::string& value)
{
    return TParamList::UrlEncode(value, true);
}

// The file-name part of a name from the list ("bin/tolvex" -> "tolvex").
std::string FileNamePart(const std::string& name)
{
    const std::size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

// The value of Key in "path=...&version=...&resultName=...", decoded; empty
// when missing or malformed.
std::string ValueOf(const std::string& fields, const std::string& key)
{
    for (const std::string& field : TParamList::SplitFields(fields, '&', false)) {
        if (field.rfind(key + "=", 0) != 0)
            continue;
        try {
            return TParamList::UrlDecode(field.substr(key.size() + 1));
        } catch (const ECriticalTolvexException&) {
            return {};
        }
    }
    return {};
}

// Text with "$1".. filled in, untranslated (the updater runs without the
// program's translation).
std::string FormatText(const std::string& text, const std::vector<std::string>& args)
{
    return TTranslation().FormatMessage(text, std::vector<TFormatArg>(args.begin(), args.end()), false);
}

}  // namespace

void TSoftwareUpdate::TDocFree::operator()(_xmlDoc* doc) const
{
    xmlFreeDoc(doc);
}

TSoftwareUpdate::TSoftwareUpdate(std::vector<std::string>& params, TAbstractDBConnection& connection,
                                 const TPublisherEnvironment& environment)
    : TTolvexPublisher(params, connection, environment)
{
    if (CommonProcedures)
        programFolder_ = CommonProcedures->App().GetAppDir();
    CreateHttpClient();
    httpClient_->SetLimits(kMaxArchiveBytes, THttpClient::kDefaultTimeoutSeconds);
}

TSoftwareUpdate::~TSoftwareUpdate() = default;

std::string TSoftwareUpdate::GetText(int kind) const
{
    switch (kind) {
    case 1:
        return "Do you want to cancel software update?";
    case 2:
        return "Start software update";
    case 3:
        return "Software update successfully finished.";
    case 5:
        return "Software update finished and $1 error(s) occur";
    case 7:
        return "Errors occurred during the software update operation";
    default:
        return TTolvexPublisher::GetText(kind);
    }
}

std::string TSoftwareUpdate::UpdateFolder() const
{
    return programFolder_ + "/" + kUpdateFolderName;
}

std::string TSoftwareUpdate::TickCount() const
{
    return std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now().time_since_epoch())
                              .count());
}

void TSoftwareUpdate::Execute()
{
    const TIniSettings* settings = Settings();
    const std::string address = settings ? settings->GetString(siSoftwareUpdateURL) : std::string();
    if (address.empty()) {
        WriteLog(Tr("No URL for software update available."), 4);
        return;
    }
    std::string listText;
    const bool fetched = RunRetryableStep(
        [&] {
            std::ostringstream body;
            TWaitCursor wait(Gui());
            try {
                httpClient_->Get(address + "?id=" + TickCount(), body);
            } catch (const ETolvexException& error) {
                WriteLog(error.what(), 3);
                throw;
            }
            if (static_cast<std::int64_t>(body.str().size()) > kMaxListBytes)
                throw EPublisherTolvexException(Tr("The update list is too large"));
            listText = body.str();
            return true;
        },
        Tr("Cannot read the update list"));
    if (!fetched && cancelled_)
        return;
    std::vector<std::string> allowed;
    if (Param("OnlyFromList") == "yes") {
        for (const std::string& line : params_)
            if (Lower(TParamList::NameOf(line)) == "file")
                allowed.push_back(Lower(line.substr(line.find('=') + 1)));
    }
    if (ReadUpdateList(listText, allowed))
        success_ = DownloadArchives();
}

bool TSoftwareUpdate::ReadUpdateList(const std::string& listText, const std::vector<std::string>& allowed)
{
    downloadList_.clear();
    downloadUrl_.clear();
    if (listText.empty())
        return false;
    const TDoc installed = LoadXml(UpdateFolder() + "/" + kVersionsName);
    list_.reset(ParseXml(listText).release());
    if (!list_) {
        WriteLog(Tr("Corrupted config file"), 3);
        return false;
    }
    const std::vector<xmlNode*> urls = Latest(list_.get(), "download-url");
    if (!urls.empty())
        downloadUrl_ = ChildText(urls.front()->parent, "download-url").value_or("");
    if (downloadUrl_.empty()) {
        WriteLog(Tr("Cannot find URL for download software updates"), 3);
        return false;
    }
    const bool restricted = !allowed.empty() || Param("OnlyFromList") == "yes";
    std::int64_t total = 0;
    bool hostile = false;
    for (xmlNode* file : Latest(list_.get(), "file")) {
        const std::string name = FileNamePart(ChildText(file, "name").value_or(""));
        if (name.empty())
            continue;
        if (restricted && std::find(allowed.begin(), allowed.end(), Lower(name)) == allowed.end())
            continue;
        const std::string archive = ChildText(file, "archive").value_or("");
        const std::string path = TCommonFunctions::SanitizeRelativePath(ChildText(file, "path").value_or(""));
        // Names that are no plain file names could lead out of the folders.
        if (!TSiteFolder::IsPlainName(name) || !TSiteFolder::IsPlainName(archive) || IsReservedName(archive)) {
            WriteLog(Format("Invalid file name \"$1\"", {TSiteFolder::IsPlainName(name) ? archive : name}), 3);
            ++errorCount_;
            hostile = true;
            continue;
        }
        const std::string folder = path.empty() ? programFolder_ : programFolder_ + "/" + path;
        const std::string target = folder + "/" + name;
        const bool required = ChildText(file, "required").value_or("") == "yes";
        const std::string version = ChildText(file, "version").value_or("");
        std::error_code error;
        const bool exists = fs::is_regular_file(target, error);
        bool needed = required;
        if (!exists && !restricted) {
            needed = required;
        } else {
            if (installed) {
                const std::vector<xmlNode*> found = FilesWhere(xmlDocGetRootElement(installed.get()), "name", name);
                const std::vector<xmlNode*> versions = found.empty() ? std::vector<xmlNode*>() : Children(found.front(), "version");
                if (versions.empty()) {
                    needed = true;
                } else if (std::optional<std::string> installedVersion = ChildText(found.front(), "version")) {
                    needed = TCommonFunctions::CompareVersions(*installedVersion, version) < 0;
                }
            }
            if (needed) {
                const std::int64_t size = exists ? TCommonFunctions::GetFileSize(target) : 0;
                if (size == ToInt32(ChildText(file, "size").value_or("")))
                    needed = static_cast<std::int32_t>(TCommonFunctions::GetFileCRC32(target)) !=
                             ToInt32(ChildText(file, "crc32").value_or(""));
            }
        }
        if (!needed)
            continue;
        fs::create_directories(folder, error);
        downloadList_.push_back(archive + "=path=" + Encode(path) + "&version=" + Encode(version) +
                                "&resultName=" + Encode(name));
        total += ToInt32(ChildText(file, "archivesize").value_or(""));
    }
    std::error_code error;
    fs::create_directories(UpdateFolder(), error);
    const std::string copy = UpdateFolder() + "/" + kListCopyName;
    fs::remove(copy, error);
    WriteFileAtomically(copy, listText);
    if (hostile) {
        // A list that tries to name files outside the program folder is not
        // trusted for any of its files.
        WriteLog(Tr("The update list is refused: it names files outside the program folder"), 3);
        return false;
    }
    if (downloadList_.empty()) {
        WriteLog(Tr("Nothing to update"), 1);
        return false;
    }
    if (Gui().AskQuestion(Format("Need to download $1 file(s), $2 bytes. Continue?",
                                 {std::to_string(downloadList_.size()), std::to_string(total)}),
                          "", false) == mrYes)
        return true;
    cancelled_ = true;
    WriteLog(Tr(TTolvexPublisher::GetText(6)), 1);
    return false;
}

bool TSoftwareUpdate::CheckArchive(const std::string& archiveFile, bool report)
{
    const std::string archive = fs::path(archiveFile).filename().string();
    const auto fail = [&](const std::string& text) {
        if (report)
            WriteLog(Format(text, {archive}), 1);
        return false;
    };
    const std::vector<xmlNode*> found =
        list_ ? FilesWhere(xmlDocGetRootElement(list_.get()), "archive", archive) : std::vector<xmlNode*>();
    if (found.size() != 1)
        return fail("Cannot find data for $1 file");
    const std::optional<std::string> size = ChildText(found.front(), "archivesize");
    if (!size || size->empty())
        return fail("No data about archive size of $1 file");
    if (ToInt32(*size) != TCommonFunctions::GetFileSize(archiveFile))
        return fail("Size of $1 file is incorrect");
    const std::optional<std::string> crc = ChildText(found.front(), "archivecrc32");
    if (!crc || crc->empty())
        return fail("No data about CRC32 of $1 archive file");
    if (ToInt32(*crc) != static_cast<std::int32_t>(TCommonFunctions::GetFileCRC32(archiveFile)))
        return fail("CRC32 of $1 file is incorrect");
    return true;
}

void TSoftwareUpdate::Unpack(const std::string& archiveFile)
{
    const std::string archive = fs::path(archiveFile).filename().string();
    // The listed size of the unpacked file bounds the inflation: a stream that
    // would grow beyond it is refused before it fills the disk.
    const std::vector<xmlNode*> found =
        list_ ? FilesWhere(xmlDocGetRootElement(list_.get()), "archive", archive) : std::vector<xmlNode*>();
    const std::optional<std::string> sizeText = found.size() == 1 ? ChildText(found.front(), "size") : std::nullopt;
    if (!sizeText || sizeText->empty())
        throw EPublisherTolvexException(Format("No data about size of $1 file", {archive}));
    const std::int64_t expected = ToInt32(*sizeText);
    // Unpacked into a scratch file first, so that a refused archive leaves no
    // half-written file under the name that "doupdate" would apply.
    const std::string scratch = archiveFile + ".part";
    struct TRemove {
        std::string Name;
        ~TRemove()
        {
            std::error_code ignored;
            fs::remove(Name, ignored);
        }
    } removeScratch{scratch};
    std::ifstream in(archiveFile, std::ios::binary);
    std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
    if (!in || !out)
        throw EPublisherTolvexException(Format("Cannot unpack file \"$1\"", {archiveFile}));
    z_stream zstream{};
    if (inflateInit(&zstream) != Z_OK)
        throw EPublisherTolvexException(Format("Cannot unpack file \"$1\"", {archiveFile}));
    struct TEnd {
        z_stream* Stream;
        ~TEnd() { inflateEnd(Stream); }
    } end{&zstream};
    char input[16384];
    unsigned char output[16384];
    std::int64_t written = 0;
    int result = Z_OK;
    while (result != Z_STREAM_END) {
        in.read(input, sizeof input);
        const std::streamsize got = in.gcount();
        if (got <= 0)
            break;
        zstream.next_in = reinterpret_cast<Bytef*>(input);
        zstream.avail_in = static_cast<uInt>(got);
        do {
            zstream.next_out = output;
            zstream.avail_out = sizeof output;
            result = inflate(&zstream, Z_NO_FLUSH);
            if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
                throw EPublisherTolvexException(Format("The archive \"$1\" is damaged", {archive}));
            const std::size_t produced = sizeof output - zstream.avail_out;
            written += static_cast<std::int64_t>(produced);
            if (written > expected)
                throw EPublisherTolvexException(
                    Format("The archive \"$1\" unpacks beyond its listed size and is refused", {archive}));
            out.write(reinterpret_cast<const char*>(output), static_cast<std::streamsize>(produced));
        } while (zstream.avail_out == 0 && result != Z_STREAM_END);
    }
    if (result != Z_STREAM_END)
        throw EPublisherTolvexException(Format("The archive \"$1\" is incomplete", {archive}));
    if (written != expected)
        throw EPublisherTolvexException(
            Format("The archive \"$1\" unpacks to a size other than the listed one and is refused", {archive}));
    out.close();
    if (!out)
        throw EPublisherTolvexException(Format("Cannot write file \"$1\"", {archiveFile}));
    in.close();
    std::error_code error;
    fs::rename(scratch, archiveFile, error);
    if (error)
        throw EPublisherTolvexException(Format("Cannot rename file \"$1\": $2", {scratch, error.message()}));
}

bool TSoftwareUpdate::DownloadArchives()
{
    std::error_code error;
    fs::create_directories(UpdateFolder(), error);
    // This run's record replaces an earlier one: the files it named are
    // fetched again over the same names below.
    fs::remove(UpdateFolder() + "/" + kDoUpdateName, error);
    // Any archive that is not downloaded, checked and unpacked in full makes
    // the whole run record nothing: half an update is never applied.
    bool refused = false;
    for (const std::string& line : downloadList_) {
        if (cancelled_)
            break;
        const std::string archive = TParamList::NameOf(line);
        const std::string file = UpdateFolder() + "/" + archive;
        WriteLog(Format("Downloading $1 file", {archive}), 1);
        if (fs::is_regular_file(file, error) && CheckArchive(file, false)) {
            WriteLog(Tr("Already was downloaded"), 1);
            // What lies there is the archive itself: it is unpacked as a
            // downloaded one would be.
            // A skipped step counts as done for the runner: whether the
            // archive really was unpacked is kept here.
            bool unpacked = false;
            RunRetryableStep(
                [&] {
                    try {
                        Unpack(file);
                        unpacked = true;
                    } catch (const ETolvexException& failure) {
                        WriteLog(failure.what(), 3);
                        throw;
                    }
                    return true;
                },
                Format("Cannot unpack file \"$1\"", {archive}));
            if (!unpacked) {
                refused = true;
                ++errorCount_;
            }
            continue;
        }
        bool downloaded = false;
        RunRetryableStep(
            [&] {
                try {
                    TWaitCursor wait(Gui());
                    fs::remove(file, error);
                    {
                        std::ofstream out(file, std::ios::binary | std::ios::trunc);
                        if (!out)
                            throw EPublisherTolvexException(Format("Cannot create file \"$1\"", {file}));
                        httpClient_->Get(downloadUrl_ + "/" + archive + "?id=" + TickCount(), out);
                        out.close();
                        if (!out)
                            throw EPublisherTolvexException(Format("Cannot write file \"$1\"", {file}));
                    }
                    if (!CheckArchive(file, true))
                        throw EPublisherTolvexException(Format("The archive \"$1\" is refused", {archive}));
                    Unpack(file);
                    downloaded = true;
                    WriteLog(Tr("Downloaded successfully"), 1);
                } catch (const ETolvexException& failure) {
                    if (!cancelled_)
                        WriteLog(failure.what(), 3);
                    throw;
                }
                return true;
            },
            Format("Cannot download file \"$1\"", {archive}));
        if (!downloaded) {
            refused = true;
            ++errorCount_;
        }
    }
    if (downloadList_.empty())
        return false;
    if (cancelled_ || refused) {
        // Nothing of this run stays behind for a later apply.
        for (const std::string& line : downloadList_) {
            const std::string file = UpdateFolder() + "/" + TParamList::NameOf(line);
            fs::remove(file, error);
            fs::remove(file + ".part", error);
        }
        WriteLog(Tr("The update was not recorded: not every archive was downloaded and checked"), cancelled_ ? 1 : 3);
        return false;
    }
    UpdateOnExit = true;
    std::string text;
    for (const std::string& line : downloadList_)
        text += line + "\r\n";
    if (!WriteFileAtomically(UpdateFolder() + "/" + kDoUpdateName, text))
        throw EPublisherTolvexException(Tr("Cannot write the update record"));
    if (Param("ApplyImmediate") == "yes") {
        ApplyUpdate();
    } else if (Gui().AskQuestion(
                   Tr("Tolvex update files successfully loaded.\nTolvex will now restart to register the update"), "",
                   false) == mrYes &&
               OnRestartForUpdate) {
        OnRestartForUpdate();
    }
    return true;
}

void TSoftwareUpdate::ApplyUpdate()
{
    try {
        errorCount_ += ApplyPending(programFolder_, [this](const std::string& text, int level) { WriteLog(text, level); });
    } catch (const EPublisherTolvexException& error) {
        Gui().ShowError(error.what(), true);
    }
}

namespace {

// Whether Path, once its links are followed, lies inside Folder.
bool LiesInside(const fs::path& path, const fs::path& folder)
{
    std::error_code error;
    const fs::path base = fs::weakly_canonical(folder, error);
    if (error)
        return false;
    const fs::path full = fs::weakly_canonical(path, error);
    if (error)
        return false;
    const fs::path relative = full.lexically_relative(base);
    return !relative.empty() && *relative.begin() != ".." && !relative.is_absolute();
}

}  // namespace

int TSoftwareUpdate::ApplyPending(const std::string& programFolder, const TLogLine& log)
{
    const std::string updateFolder = programFolder + "/" + kUpdateFolderName;
    const std::string doUpdate = updateFolder + "/" + kDoUpdateName;
    std::error_code error;
    if (!fs::is_regular_file(doUpdate, error))
        return 0;
    const std::string versionsFile = updateFolder + "/" + kVersionsName;
    // No versions yet (the first update of an installation): an empty list.
    TDoc versions = fs::exists(versionsFile, error) ? LoadXml(versionsFile) : ParseXml("<versions/>");
    if (!versions || !xmlDocGetRootElement(versions.get())) {
        // The record is dropped: left in place it would start the update
        // again at every start of the program, failing each time.
        fs::remove(doUpdate, error);
        throw EPublisherTolvexException("Cannot process software update");
    }
    int errors = 0;
    bool placed = false;
    std::istringstream lines(TCommonFunctions::LoadStringFromFile(doUpdate));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string archive = TParamList::NameOf(line);
        const std::string unpacked = updateFolder + "/" + archive;
        if (!TSiteFolder::IsPlainName(archive) || IsReservedName(archive) || !fs::is_regular_file(unpacked, error))
            continue;
        const std::string fields = line.substr(archive.size() + 1);
        const std::string path = TCommonFunctions::SanitizeRelativePath(ValueOf(fields, "path"));
        const std::string version = ValueOf(fields, "version");
        const std::string resultName = ValueOf(fields, "resultName");
        const std::string folder = path.empty() ? programFolder : programFolder + "/" + path;
        const std::string target = folder + "/" + resultName;
        // The record is a file on disk: its names are checked again, and a
        // folder that is a link out of the program folder is refused too.
        if (!TSiteFolder::IsPlainName(resultName) || !LiesInside(target, programFolder)) {
            log(FormatText("Invalid file name \"$1\"", {resultName}), 3);
            ++errors;
            continue;
        }
        fs::create_directories(folder, error);
        const std::string backup = target + ".bak";
        fs::remove(backup, error);
        bool done = false;
        if (fs::exists(target, error)) {
            fs::rename(target, backup, error);
            if (!error) {
                fs::rename(unpacked, target, error);
                done = !error;
                if (!done) {
                    // The installed file goes back where it was.
                    std::error_code ignored;
                    fs::rename(backup, target, ignored);
                }
            }
        } else {
            done = fs::copy_file(unpacked, target, fs::copy_options::none, error) && !error;
        }
        if (!done) {
            log(FormatText("Cannot place file \"$1\": $2", {target, error.message()}), 3);
            ++errors;
            continue;
        }
        placed = true;
        xmlNode* root = xmlDocGetRootElement(versions.get());
        const std::vector<xmlNode*> found = FilesWhere(root, "name", resultName);
        const auto* versionText = reinterpret_cast<const xmlChar*>(version.c_str());
        if (found.empty()) {
            xmlNode* file = xmlNewChild(root, nullptr, reinterpret_cast<const xmlChar*>("file"), nullptr);
            xmlNewTextChild(file, nullptr, reinterpret_cast<const xmlChar*>("name"),
                            reinterpret_cast<const xmlChar*>(resultName.c_str()));
            xmlNewTextChild(file, nullptr, reinterpret_cast<const xmlChar*>("version"), versionText);
        } else {
            const std::vector<xmlNode*> versionNodes = Children(found.front(), "version");
            if (versionNodes.empty()) {
                xmlNewTextChild(found.front(), nullptr, reinterpret_cast<const xmlChar*>("version"), versionText);
            } else {
                std::unique_ptr<xmlChar, TXmlFree> escaped(xmlEncodeSpecialChars(versions.get(), versionText));
                xmlNodeSetContent(versionNodes.front(), escaped.get());
            }
        }
    }
    if (placed && !WriteFileAtomically(versionsFile, DocumentText(versions.get()))) {
        log("Cannot write versions.xml", 3);
        ++errors;
    }
    fs::remove(doUpdate, error);
    return errors;
}
