// The software update against an update server on 127.0.0.1: which listed
// files are fetched, the archives' checks and unpacking, the "doupdate"
// record, the questions, the apply step with its backups and versions, and
// names from the list that must not lead out of the program folder.
#include "ScriptedRunner.h"

#include "catalog/Singletons.h"
#include "common/CRC32.h"
#include "common/CommonGui.h"
#include "common/IniSettings.h"
#include "publishing/SoftwareUpdate.h"
#include "support/CatalogFixture.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <zlib.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string Compress(const std::string& bytes)
{
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()),
              static_cast<uLong>(bytes.size()), 9);
    out.resize(size);
    return out;
}

std::string Signed(std::uint32_t crc)
{
    return std::to_string(static_cast<std::int32_t>(crc));
}

// One file of the update list, with the archive the server holds for it.
struct TListedFile {
    TListedFile(std::string fileName, std::string bytes, std::string fileVersion = "1.1", std::string folder = "")
        : name(std::move(fileName)), content(std::move(bytes)), version(std::move(fileVersion)), path(std::move(folder))
    {
    }

    std::string name;
    std::string content;
    std::string version;
    std::string path;
    bool required = false;
    std::string archive;  // default: name + ".z"
    std::string archiveCrcOverride;
    std::optional<std::string> packedOverride;  // the archive, listed and served
    std::optional<std::string> servedOverride;  // served only: the list keeps the real one
    std::optional<std::string> sizeOverride;    // the listed size of the unpacked file

    std::string Archive() const { return archive.empty() ? name + ".z" : archive; }
    std::string Packed() const { return packedOverride ? *packedOverride : Compress(content); }
    std::string Served() const { return servedOverride ? *servedOverride : Packed(); }
    std::string Xml() const
    {
        const std::string packed = Packed();
        return "<file><name>" + name + "</name><archive>" + Archive() + "</archive><archivesize>" +
               std::to_string(packed.size()) + "</archivesize><archivecrc32>" +
               (archiveCrcOverride.empty() ? Signed(TCRC32::CalcStringCRC(packed)) : archiveCrcOverride) +
               "</archivecrc32><path>" + path + "</path><size>" +
               (sizeOverride ? *sizeOverride : std::to_string(content.size())) +
               "</size><crc32>" + Signed(TCRC32::CalcStringCRC(content)) + "</crc32><version>" + version +
               "</version><required>" + (required ? "yes" : "no") + "</required></file>";
    }
};

// The update server: the list and the archives, counting the requests.
class TUpdateServer {
public:
    TUpdateServer()
    {
        server_.Get(R"(/(.*))", [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard<std::mutex> lock(mutex_);
            ++requests_[request.path];
            auto found = files_.find(request.path);
            if (found == files_.end()) {
                response.status = 404;
                return;
            }
            response.set_content(found->second, "application/octet-stream");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~TUpdateServer()
    {
        server_.stop();
        thread_.join();
    }
    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    void Serve(const std::string& path, const std::string& bytes)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        files_[path] = bytes;
    }
    void Remove(const std::string& path)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        files_.erase(path);
    }
    int Requests(const std::string& path)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_[path];
    }
    // Publishes the list and the archives of its files.
    void Publish(const std::vector<TListedFile>& files)
    {
        std::string xml = "<?xml version=\"1.0\"?><client><latest><download-url>" + Url("/files") + "</download-url>";
        for (const TListedFile& file : files) {
            xml += file.Xml();
            Serve("/files/" + file.Archive(), file.Served());
        }
        Serve("/list.xml", xml + "</latest></client>");
    }

private:
    httplib::Server server_;
    std::mutex mutex_;
    std::map<std::string, std::string> files_;
    std::map<std::string, int> requests_;
    int port_ = 0;
    std::thread thread_;
};

class SoftwareUpdateTest : public testing::Test {
protected:
    TUpdateServer server;
    TTempFolder program;
    TIniSettings settings{program.File("tolvex.ini")};
    TCatalogFixture db;
    TScriptedGui gui;
    TScriptedRunner runner;
    std::vector<std::string> params;
    int restarts = 0;

    void SetUp() override
    {
        settings.SetString(siSoftwareUpdateURL, server.Url("/list.xml"));
        UpdateOnExit = false;
    }
    void TearDown() override { UpdateOnExit = false; }

    std::unique_ptr<TSoftwareUpdate> Make(std::vector<std::string> parameters = {})
    {
        params = std::move(parameters);
        auto update = std::make_unique<TSoftwareUpdate>(
            params, db.Connection(), TPublisherEnvironment{gui, nullptr, &runner, nullptr, &settings});
        update->SetProgramFolder(program.Path());
        update->OnRestartForUpdate = [this] { ++restarts; };
        return update;
    }
    std::unique_ptr<TSoftwareUpdate> Run(std::vector<std::string> parameters = {})
    {
        auto update = Make(std::move(parameters));
        update->Run();
        return update;
    }
    void Installed(const std::string& versionsXml) { program.Write("update/versions.xml", versionsXml); }
    std::string Update(const std::string& name) const { return TTempFolder::Read(program.File("update/" + name)); }
};

}  // namespace

TEST_F(SoftwareUpdateTest, ANewerFileIsFetchedCheckedUnpackedAndRecorded)
{
    program.Write("tolvex.dll", "old bytes");
    Installed("<versions><file><name>tolvex.dll</name><version>1.0</version></file></versions>");
    const TListedFile dll{"tolvex.dll", "new program bytes, version 1.1"};
    server.Publish({dll});
    gui.QueueAnswer(mrYes);  // download
    gui.QueueAnswer(mrYes);  // restart

    auto update = Run();
    EXPECT_TRUE(update->Succeeded()) << runner.Last();
    EXPECT_EQ(gui.Messages("question").front(),
              "Need to download 1 file(s), " + std::to_string(dll.Packed().size()) + " bytes. Continue?");
    EXPECT_EQ(Update("tolvex.dll.z"), dll.content);
    EXPECT_FALSE(fs::exists(program.File("update/tolvex.dll.z.bin")));
    EXPECT_EQ(Update("doupdate"), "tolvex.dll.z=path=&version=1.1&resultName=tolvex.dll\r\n");
    EXPECT_TRUE(fs::exists(program.File("update/newupdate.xml")));
    EXPECT_TRUE(runner.Has("Downloaded successfully"));
    EXPECT_TRUE(UpdateOnExit);
    EXPECT_EQ(restarts, 1);
    // Not applied yet: the program file is untouched until the restart.
    EXPECT_EQ(TTempFolder::Read(program.File("tolvex.dll")), "old bytes");
}

TEST_F(SoftwareUpdateTest, OnlyNeededFilesAreFetched)
{
    const TListedFile current{"current.dll", "same bytes", "2.0"};
    const TListedFile older{"older.dll", "listed older", "1.0"};
    const TListedFile sameBytes{"samebytes.dll", "identical", "3.0"};
    const TListedFile optional{"optional.dll", "not installed, not required"};
    TListedFile required{"required.dll", "not installed, required"};
    required.required = true;
    required.path = "plugins";
    const TListedFile unknown{"unknown.dll", "installed, no version known", "0.1"};
    program.Write("current.dll", "whatever");
    program.Write("older.dll", "whatever");
    program.Write("samebytes.dll", "identical");
    program.Write("unknown.dll", "other bytes");
    Installed("<versions><file><name>current.dll</name><version>2.0</version></file>"
              "<file><name>older.dll</name><version>1.5</version></file>"
              "<file><name>samebytes.dll</name><version>1.0</version></file></versions>");
    server.Publish({current, older, sameBytes, optional, required, unknown});
    gui.QueueAnswer(mrNo);

    auto update = Run();
    EXPECT_EQ(update->GetDownloadList(),
              (std::vector<std::string>{"required.dll.z=path=plugins&version=1.1&resultName=required.dll",
                                        "unknown.dll.z=path=&version=0.1&resultName=unknown.dll"}));
    EXPECT_TRUE(fs::is_directory(program.File("plugins")));
    // "No" to the size question: nothing fetched, no record left.
    EXPECT_TRUE(update->IsCancelled());
    EXPECT_EQ(server.Requests("/files/required.dll.z"), 0);
    EXPECT_FALSE(fs::exists(program.File("update/doupdate")));
}

TEST_F(SoftwareUpdateTest, AListWithNothingNewerAsksNothing)
{
    program.Write("a.dll", "a");
    Installed("<versions><file><name>a.dll</name><version>1.1</version></file></versions>");
    server.Publish({{"a.dll", "a"}});
    auto update = Run();
    EXPECT_TRUE(runner.Has("Nothing to update"));
    EXPECT_TRUE(gui.Messages("question").empty());
    EXPECT_FALSE(update->Succeeded());
}

TEST_F(SoftwareUpdateTest, OnlyFromListRestrictsToTheNamedFiles)
{
    // Installed versions that do not know the files: the named one is fetched.
    Installed("<versions/>");
    server.Publish({{"a.dll", "a bytes"}, {"b.dll", "b bytes"}});
    auto none = Run({"OnlyFromList=yes", "File=c.dll"});
    EXPECT_TRUE(none->GetDownloadList().empty());

    gui.QueueAnswer(mrNo);
    auto named = Run({"OnlyFromList=yes", "File=B.DLL"});
    ASSERT_EQ(named->GetDownloadList().size(), 1u);
    EXPECT_EQ(named->GetDownloadList().front().substr(0, 8), "b.dll.z=");
}

// An archive that is corrupted, truncated or hostile is refused with its
// message, and the whole run records nothing: no "doupdate", the installed
// files untouched, the good archive of the same run not left behind.
TEST_F(SoftwareUpdateTest, AnArchiveThatFailsItsChecksIsRefusedAndTheRunRecordsNothing)
{
    const std::string packed = Compress("bad bytes, version 1.1");
    struct TCase {
        std::string label;
        std::function<void(TListedFile&)> spoil;
        std::string message;
    };
    const std::vector<TCase> cases = {
        {"wrong CRC", [](TListedFile& file) { file.archiveCrcOverride = "12345"; },
         "CRC32 of bad.dll.z file is incorrect"},
        {"truncated download", [&](TListedFile& file) { file.servedOverride = packed.substr(0, packed.size() / 2); },
         "Size of bad.dll.z file is incorrect"},
        {"truncated stream listed as it is", [&](TListedFile& file) { file.packedOverride = packed.substr(0, packed.size() / 2); },
         "The archive \"bad.dll.z\" is incomplete"},
        {"not a zlib stream", [](TListedFile& file) { file.packedOverride = std::string(64, 'x'); },
         "The archive \"bad.dll.z\" is damaged"},
        {"inflates beyond its listed size",
         [](TListedFile& file) {
             file.content = std::string(4 * 1024 * 1024, '\0');
             file.sizeOverride = "22";
         },
         "The archive \"bad.dll.z\" unpacks beyond its listed size and is refused"},
        {"unpacks short of its listed size", [](TListedFile& file) { file.sizeOverride = "23"; },
         "The archive \"bad.dll.z\" unpacks to a size other than the listed one and is refused"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.label);
        TTempFolder folder;
        folder.Write("bad.dll", "installed bad");
        folder.Write("good.dll", "installed good");
        folder.Write("update/versions.xml", "<versions><file><name>bad.dll</name><version>1.0</version></file>"
                                            "<file><name>good.dll</name><version>1.0</version></file></versions>");
        TListedFile good{"good.dll", "good bytes, version 1.1"};
        TListedFile bad{"bad.dll", "bad bytes, version 1.1"};
        c.spoil(bad);
        server.Publish({good, bad});
        runner.lines.clear();
        runner.answers = {caIgnore};
        gui.QueueAnswer(mrYes);
        UpdateOnExit = false;
        auto update = Make({"ApplyImmediate=yes"});
        update->SetProgramFolder(folder.Path());
        update->Run();

        EXPECT_FALSE(update->Succeeded());
        EXPECT_GE(update->GetErrorCount(), 1);
        EXPECT_TRUE(runner.Has(c.message)) << runner.Last();
        EXPECT_TRUE(runner.Has("The update was not recorded: not every archive was downloaded and checked"));
        EXPECT_FALSE(fs::exists(folder.File("update/doupdate")));
        EXPECT_FALSE(fs::exists(folder.File("update/good.dll.z")));
        EXPECT_FALSE(fs::exists(folder.File("update/bad.dll.z")));
        EXPECT_FALSE(fs::exists(folder.File("update/bad.dll.z.part")));
        EXPECT_EQ(TTempFolder::Read(folder.File("bad.dll")), "installed bad");
        EXPECT_EQ(TTempFolder::Read(folder.File("good.dll")), "installed good");
        EXPECT_FALSE(fs::exists(folder.File("bad.dll.bak")));
        EXPECT_FALSE(UpdateOnExit);
        EXPECT_EQ(restarts, 0);
    }
}

// A record left by an earlier run is replaced: a run that fails does not
// leave it to apply files this run has overwritten.
TEST_F(SoftwareUpdateTest, AFailedRunDropsAnEarlierRecord)
{
    program.Write("update/doupdate", "old.z=path=&version=1&resultName=old.dll\r\n");
    TListedFile bad{"bad.dll", "bad bytes"};
    bad.required = true;
    bad.archiveCrcOverride = "12345";
    server.Publish({bad});
    gui.QueueAnswer(mrYes);
    runner.answers = {caIgnore};
    Run();
    EXPECT_FALSE(fs::exists(program.File("update/doupdate")));
}

TEST_F(SoftwareUpdateTest, AFailedDownloadIsLoggedInRedAndCanBeSkipped)
{
    TListedFile gone{"gone.dll", "gone bytes"};
    gone.required = true;
    TListedFile next{"next.dll", "next bytes"};
    next.required = true;
    server.Publish({gone, next});
    server.Remove("/files/gone.dll.z");
    gui.QueueAnswer(mrYes);
    gui.QueueAnswer(mrNo);
    runner.answers = {caIgnore};
    auto update = Run();
    EXPECT_EQ(runner.questions.size(), 1u);
    EXPECT_TRUE(std::any_of(runner.lines.begin(), runner.lines.end(),
                            [](const TScriptedRunner::TLine& line) { return line.Level == 3; }));
    // Skip goes on with the next file, but a run with a skipped archive
    // records nothing and leaves none of its files behind.
    EXPECT_EQ(server.Requests("/files/next.dll.z"), 1);
    EXPECT_FALSE(fs::exists(program.File("update/next.dll.z")));
    EXPECT_FALSE(fs::exists(program.File("update/doupdate")));
    EXPECT_FALSE(update->Succeeded());
}

TEST_F(SoftwareUpdateTest, AnArchiveAlreadyPresentIsNotFetchedAgainButUnpacked)
{
    TListedFile file{"c.dll", "c bytes"};
    file.required = true;
    server.Publish({file});
    program.Write("update/c.dll.z", file.Packed());
    gui.QueueAnswer(mrYes);
    gui.QueueAnswer(mrNo);
    auto update = Run();
    EXPECT_TRUE(update->Succeeded()) << runner.Last();
    EXPECT_TRUE(runner.Has("Already was downloaded"));
    EXPECT_EQ(server.Requests("/files/c.dll.z"), 0);
    EXPECT_EQ(Update("c.dll.z"), "c bytes");
}

TEST_F(SoftwareUpdateTest, ApplyingPlacesFilesKeepsBackupsAndRecordsVersions)
{
    program.Write("tolvex.dll", "old");
    program.Write("tolvex.dll.bak", "older backup");
    Installed("<versions><file><name>tolvex.dll</name><version>1.0</version></file></versions>");
    TListedFile plugin{"plug.so", "plugin bytes", "0.9", "plugins"};
    plugin.required = true;
    server.Publish({{"tolvex.dll", "new", "1.1"}, plugin});
    gui.QueueAnswer(mrYes);
    auto update = Run({"ApplyImmediate=yes"});
    EXPECT_TRUE(update->Succeeded()) << runner.Last();
    EXPECT_EQ(TTempFolder::Read(program.File("tolvex.dll")), "new");
    EXPECT_EQ(TTempFolder::Read(program.File("tolvex.dll.bak")), "old");
    EXPECT_EQ(TTempFolder::Read(program.File("plugins/plug.so")), "plugin bytes");
    EXPECT_FALSE(fs::exists(program.File("update/doupdate")));
    const std::string versions = Update("versions.xml");
    EXPECT_NE(versions.find("<name>tolvex.dll</name>"), std::string::npos);
    EXPECT_NE(versions.find("<version>1.1</version>"), std::string::npos);
    EXPECT_EQ(versions.find("<version>1.0</version>"), std::string::npos);
    EXPECT_NE(versions.find("<name>plug.so</name>"), std::string::npos);
    EXPECT_NE(versions.find("<version>0.9</version>"), std::string::npos);
    EXPECT_EQ(gui.Messages("question").size(), 1u);  // no restart question
}

TEST_F(SoftwareUpdateTest, NamesFromTheListNeverLeaveTheProgramFolder)
{
    TListedFile escape{"evil.dll", "evil", "1.0", "../../outside"};
    escape.required = true;
    TListedFile badArchive{"ok.dll", "ok"};
    badArchive.required = true;
    badArchive.archive = "..";
    server.Publish({escape, badArchive});
    gui.QueueAnswer(mrYes);
    auto update = Run({"ApplyImmediate=yes"});
    EXPECT_FALSE(fs::exists(fs::path(program.Path()).parent_path() / "outside"));
    EXPECT_TRUE(runner.Has("Invalid file name \"..\""));
    ASSERT_EQ(update->GetDownloadList().size(), 1u);
    // One hostile name and the list is not trusted for any file.
    EXPECT_TRUE(runner.Has("The update list is refused: it names files outside the program folder"));
    EXPECT_TRUE(gui.Messages("question").empty());
    EXPECT_EQ(server.Requests("/files/evil.dll.z"), 0);
    EXPECT_FALSE(fs::exists(program.File("update/doupdate")));
    EXPECT_FALSE(fs::exists(program.File("outside/evil.dll")));

    // An archive named like the update folder's own files is as hostile.
    for (const std::string reserved : {"versions.xml", "doupdate", "newupdate.xml"}) {
        SCOPED_TRACE(reserved);
        Installed("<versions><file><name>keep.dll</name><version>1.0</version></file></versions>");
        TListedFile clash{"clash.dll", "clash"};
        clash.required = true;
        clash.archive = reserved;
        server.Publish({clash});
        runner.lines.clear();
        Run();
        EXPECT_TRUE(runner.Has("Invalid file name \"" + reserved + "\""));
        EXPECT_EQ(server.Requests("/files/" + reserved), 0);
        EXPECT_NE(Update("versions.xml").find("keep.dll"), std::string::npos);
    }

    // A tampered record is checked again when it is applied.
    Installed("<versions/>");
    program.Write("update/x.z", "bytes");
    program.Write("update/doupdate", "x.z=path=..%2f..&version=1&resultName=..%2fescape\r\n");
    Make()->ApplyUpdate();
    EXPECT_FALSE(fs::exists(fs::path(program.Path()).parent_path() / "escape"));
    EXPECT_FALSE(fs::exists(program.File("update/doupdate")));
}

TEST_F(SoftwareUpdateTest, NoAddressOrABrokenListEndsTheRunWithItsLine)
{
    settings.SetString(siSoftwareUpdateURL, "");
    auto noAddress = Run();
    EXPECT_FALSE(noAddress->Succeeded());
    ASSERT_FALSE(runner.lines.empty());
    EXPECT_TRUE(std::any_of(runner.lines.begin(), runner.lines.end(), [](const TScriptedRunner::TLine& line) {
        return line.Text == "No URL for software update available." && line.Level == 4;
    }));

    settings.SetString(siSoftwareUpdateURL, server.Url("/list.xml"));
    server.Serve("/list.xml", "<client><latest>");
    Run();
    EXPECT_TRUE(runner.Has("Corrupted config file"));

    server.Serve("/list.xml", "<client><latest><file><name>a</name></file></latest></client>");
    Run();
    EXPECT_TRUE(runner.Has("Cannot find URL for download software updates"));

    // A list that cannot be fetched: logged in red, and Skip goes on with no list.
    server.Remove("/list.xml");
    runner.lines.clear();
    runner.answers = {caIgnore};
    auto missing = Run();
    EXPECT_FALSE(missing->Succeeded());
    EXPECT_EQ(runner.questions.size(), 1u);
    EXPECT_TRUE(std::any_of(runner.lines.begin(), runner.lines.end(),
                            [](const TScriptedRunner::TLine& line) { return line.Level == 3; }));
}
