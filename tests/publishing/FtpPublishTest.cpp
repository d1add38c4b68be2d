// Publishing a catalog's site to a real FTP server on 127.0.0.1: the first
// run sends every file and the change list; later "changed" runs send only
// what changed; a file that did not reach the server stays out of the
// change list; the login dialog, the stored credentials and the default
// directory; names that would leave the site's folder on the server.
#include "common/WellKnownIds.h"
#include "PublishSiteFixture.h"

#include "catalog/Catalog.h"
#include "common/CRC32.h"
#include "common/CommonFunctions.h"
#include "publishing/FtpAuthorization.h"
#include "publishing/FtpChangeList.h"
#include "publishing/PublishFtp.h"
#include "support/FtpTestServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

constexpr const char* kUser = "web";
constexpr const char* kPassword = "s3cret-pw";

// The authorization dialog pressed by a test: each showing takes the next
// queued login, or is cancelled when none is left.
class TScriptedLogin : public TFtpAuthorizationDialog {
public:
    std::deque<TFtpLogin> logins;
    std::vector<TFtpLogin> shown;

    bool Execute(TFtpLogin& login) override
    {
        shown.push_back(login);
        if (logins.empty())
            return false;
        login = logins.front();
        logins.pop_front();
        return true;
    }
    void Queue(const std::string& user, const std::string& password, bool save = true)
    {
        logins.push_back({"", user, password, save});
    }
};

class FtpPublish : public ::testing::Test {
protected:
    TPublishSite site;
    TTempFolder serverRoot;
    TFtpTestServer server{serverRoot.Path(), kUser, kPassword};
    TScriptedLogin dialog;
    std::vector<std::string> params;

    // Empties the staging folder (as the entry point does) and publishes.
    // Host: the server's address unless given.
    std::unique_ptr<TPublishFtp> Make(const std::string& method, const std::string& defaultDirectory = "",
                                      const std::string& host = "")
    {
        for (const auto& entry : fs::directory_iterator(site.Site().Path()))
            fs::remove_all(entry.path());
        params = site.Params();
        params.push_back("HostName=" + (host.empty() ? server.HostName() : host));
        params.push_back("DefaultDirectory=" + defaultDirectory);
        params.push_back("UpdateMethod=" + method);
        return std::make_unique<TPublishFtp>(
            params, site.Connection(),
            TPublisherEnvironment{site.Program().Gui(), nullptr, &site.Runner(), &site.Program().Root(), nullptr},
            &dialog);
    }

    std::unique_ptr<TPublishFtp> Publish(const std::string& method, const std::string& defaultDirectory = "")
    {
        if (dialog.logins.empty())
            dialog.Queue(kUser, kPassword);
        server.ClearCommands();
        auto publish = Make(method, defaultDirectory);
        publish->Run();
        return publish;
    }

    // The staging folder's files as change-list entries: name -> CRC-32 text.
    std::map<std::string, std::string> StagingEntries() const
    {
        std::map<std::string, std::string> entries;
        for (const auto& entry : fs::recursive_directory_iterator(site.Site().Path()))
            if (entry.is_regular_file())
                entries[TFtpChangeList::EntryName(site.Site().Path(), entry.path().string())] =
                    TFtpChangeList::CrcText(TCommonFunctions::GetFileCRC32(entry.path().string()));
        return entries;
    }

    TFtpChangeList RemoteChangeList(const std::string& folder = "") const
    {
        TFtpChangeList list;
        list.Load(TTempFolder::Read(serverRoot.File(folder.empty() ? "siteinfo.zip" : folder + "/siteinfo.zip")));
        return list;
    }

    static std::map<std::string, std::string> AsMap(const TFtpChangeList& list)
    {
        return {list.Entries().begin(), list.Entries().end()};
    }

    // The staging folder's files with their bytes, as relative paths.
    std::map<std::string, std::string> ServerFiles(const std::string& folder = "") const
    {
        std::map<std::string, std::string> files;
        const std::string root = folder.empty() ? serverRoot.Path() : serverRoot.File(folder);
        for (const auto& entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file() && entry.path().filename() != "siteinfo.zip")
                files[fs::relative(entry.path(), root).string()] = TTempFolder::Read(entry.path().string());
        return files;
    }

    std::vector<int> AddImages(int count)
    {
        std::vector<int> ids;
        for (int i = 0; i < count; ++i) {
            const int id = site.AddItem(kImageItemType, 3);
            site.AddBinary(id, 5, "image/gif", "GIF89a-picture-" + std::to_string(i));
            ids.push_back(id);
        }
        return ids;
    }

    void ChangeImage(int itemId, const std::string& bytes)
    {
        TQueryGuard query(site.Connection());
        query->SetSQL("UPDATE CBinary SET DataBlob = :Blob WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId");
        query->SetParam("Blob", TVariant(TBytes{bytes}));
        query->SetParam("CatalogCode", std::string(TPublishSite::kCode));
        query->SetParam("ItemId", itemId);
        query->ExecSQL();
    }
};

std::multiset<std::string> AsSet(const std::vector<std::string>& paths)
{
    return {paths.begin(), paths.end()};
}

std::vector<std::string> Without(std::vector<std::string> paths, const std::string& path)
{
    paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
    return paths;
}

// The change-list name of a path on the server.
std::string EntryOf(const std::string& path)
{
    return TFtpChangeList::EntryName("", "/" + path);
}

}  // namespace

TEST_F(FtpPublish, ChangedRunsSendOnlyWhatChangedAndAlwaysTheChangeList)
{
    const std::vector<int> images = AddImages(300);

    // The first run: no change list yet, so every file goes.
    auto first = Publish("changed");
    ASSERT_TRUE(first->Succeeded()) << site.Runner().Last();
    EXPECT_EQ(ServerFiles(), site.Files());
    const TFtpChangeList list = RemoteChangeList();
    EXPECT_EQ(list.CatalogCode(), TPublishSite::kCode);
    EXPECT_EQ(AsMap(list), StagingEntries());
    // Every file once; the change list also on the way, every hundred files.
    EXPECT_EQ(Without(server.PathsOf("STOR"), "siteinfo.zip").size(), site.Files().size());
    EXPECT_GT(site.Files().size(), 300u);

    // No change: nothing but the change list is read and stored again.
    auto second = Publish("changed");
    ASSERT_TRUE(second->Succeeded()) << site.Runner().Last();
    EXPECT_EQ(AsSet(server.PathsOf("RETR")), AsSet({"siteinfo.zip"}));
    EXPECT_EQ(AsSet(server.PathsOf("STOR")), AsSet({"siteinfo.zip"}));
    EXPECT_EQ(second->GetUploadedFiles(), 0);

    // One picture changed: exactly its file, and the change list before it
    // (without the file's entry) and after it.
    ChangeImage(images[123], "GIF89a-changed");
    auto third = Publish("changed");
    ASSERT_TRUE(third->Succeeded()) << site.Runner().Last();
    const std::string changed = "images/" + std::to_string(images[123]) + ".gif";
    EXPECT_EQ(server.PathsOf("STOR"), (std::vector<std::string>{"siteinfo.zip", changed, "siteinfo.zip"}));
    EXPECT_EQ(TTempFolder::Read(serverRoot.File(changed)), "GIF89a-changed");
    EXPECT_EQ(AsMap(RemoteChangeList()), StagingEntries());
}

TEST_F(FtpPublish, AllFilesModeIgnoresThePreviousListAndListsExactlyThisRun)
{
    TFtpChangeList stale;
    stale.EnsureRoot("shop");
    stale.Record("\\gone\\old.html", 7);
    stale.Record("\\index.html", 1);
    serverRoot.Write("siteinfo.zip", stale.Compressed());

    // The change list is stored empty before the first file and whole at the end.
    auto publish = Publish("all");
    ASSERT_TRUE(publish->Succeeded()) << site.Runner().Last();
    EXPECT_TRUE(server.PathsOf("RETR").empty());
    EXPECT_EQ(server.PathsOf("STOR").size(), site.Files().size() + 2);
    EXPECT_EQ(server.PathsOf("STOR").front(), "siteinfo.zip");
    EXPECT_EQ(AsMap(RemoteChangeList()), StagingEntries());

    // A second run in the same mode sends everything again.
    auto again = Publish("all");
    EXPECT_EQ(server.PathsOf("STOR").size(), site.Files().size() + 2);
}

TEST_F(FtpPublish, AMissingOrDamagedChangeListCountsAsEmpty)
{
    for (const std::string& damaged : {std::string("not compressed at all"), std::string()}) {
        SCOPED_TRACE(damaged);
        serverRoot.Write("siteinfo.zip", damaged);
        auto publish = Publish("changed");
        ASSERT_TRUE(publish->Succeeded()) << site.Runner().Last();
        EXPECT_EQ(server.PathsOf("STOR").size(), site.Files().size() + 1);
        EXPECT_EQ(AsMap(RemoteChangeList()), StagingEntries());
    }
}

TEST_F(FtpPublish, AFileThatDidNotReachTheServerIsSentAgainByTheNextRun)
{
    const std::vector<int> images = AddImages(3);
    const std::string refused = std::to_string(images[1]) + ".gif";
    auto first = Publish("changed");
    ASSERT_TRUE(first->Succeeded());

    // The picture changes but the server refuses it; the user skips it.
    ChangeImage(images[1], "GIF89a-new");
    server.Refuse({refused});
    site.Runner().answers = {caIgnore};
    auto second = Publish("changed");
    EXPECT_EQ(site.Runner().questions.size(), 1u);
    EXPECT_NE(site.Runner().questions.back().find("Cannot upload file \"" + refused + "\""), std::string::npos);
    const std::map<std::string, std::string> entries = AsMap(RemoteChangeList());
    const std::string name = "\\images\\" + refused;
    // The list keeps the CRC-32 of the bytes that are really on the server.
    EXPECT_EQ(entries.at(name),
              TFtpChangeList::CrcText(TCommonFunctions::GetFileCRC32(serverRoot.File("images/" + refused))));
    EXPECT_NE(entries.at(name), StagingEntries().at(name));

    // Once the server takes it again, the next run sends it.
    server.Refuse({});
    site.Runner().answers.clear();
    auto third = Publish("changed");
    ASSERT_TRUE(third->Succeeded());
    EXPECT_EQ(AsSet(server.PathsOf("STOR")), AsSet({"images/" + refused, "siteinfo.zip", "siteinfo.zip"}));
    EXPECT_EQ(TTempFolder::Read(serverRoot.File("images/" + refused)), "GIF89a-new");
    EXPECT_EQ(AsMap(RemoteChangeList()), StagingEntries());
}

TEST_F(FtpPublish, ACancelledRunLeavesAChangeListOfWhatArrivedAndTheNextRunSendsTheRest)
{
    AddImages(250);
    std::unique_ptr<TPublishFtp> publish;
    int uploads = 0;
    std::size_t seen = 0;
    site.Runner().onProcessMessages = [&] {
        if (site.Runner().lines.size() == seen)
            return;
        seen = site.Runner().lines.size();
        if (site.Runner().Last().rfind("Upload file", 0) == 0 && ++uploads == 180)
            publish->Cancel();
    };
    dialog.Queue(kUser, kPassword);
    server.ClearCommands();
    publish = Make("changed");
    publish->Run();
    site.Runner().onProcessMessages = nullptr;
    EXPECT_FALSE(publish->Succeeded());
    const std::vector<std::string> firstStored = server.PathsOf("STOR");
    EXPECT_LT(firstStored.size(), site.Files().size());

    // Every listed file is on the server with the listed bytes.
    const std::map<std::string, std::string> listed = AsMap(RemoteChangeList());
    EXPECT_GE(listed.size(), 170u);
    std::map<std::string, std::string> onServer;
    for (const auto& [path, bytes] : ServerFiles())
        onServer[EntryOf(path)] = TFtpChangeList::CrcText(TCRC32::CalcStringCRC(bytes));
    for (const auto& [name, crc] : listed) {
        ASSERT_EQ(onServer.count(name), 1u) << name;
        EXPECT_EQ(onServer.at(name), crc) << name;
    }

    auto resumed = Publish("changed");
    ASSERT_TRUE(resumed->Succeeded()) << site.Runner().Last();
    EXPECT_EQ(AsMap(RemoteChangeList()), StagingEntries());
    EXPECT_EQ(ServerFiles(), site.Files());
    // Nothing that was listed is sent twice.
    for (const std::string& path : server.PathsOf("STOR"))
        EXPECT_EQ(listed.count(EntryOf(path)), 0u) << path;
}

// A run with "Update all files" that dies while it stores a file (here the
// server goes away in the middle of it: no later change list reaches the
// server, as when the run is killed) leaves that file cut short on the
// server. The change list there must not vouch for it, so that the next
// "changed" run sends it whole.
TEST_F(FtpPublish, AFileCutShortByARunThatDiedIsSentAgainByTheNextRun)
{
    const int big = site.AddItem(kImageItemType, 3);
    site.AddBinary(big, 5, "image/gif", std::string(32 * 1024 * 1024, 'g'));
    const std::string path = "images/" + std::to_string(big) + ".gif";
    auto first = Publish("changed");
    ASSERT_TRUE(first->Succeeded()) << site.Runner().Last();

    auto dying = std::make_unique<TFtpTestServer>(serverRoot.Path(), kUser, kPassword);
    long long sentBefore = -1;
    site.Runner().onProcessMessages = [&] {
        if (!dying || site.Runner().Last() != "Upload file " + std::to_string(big) + ".gif")
            return;
        if (sentBefore < 0)
            sentBefore = site.Runner().sent;
        else if (site.Runner().sent > sentBefore + 1024 * 1024)
            dying.reset();  // killed, and waited for
    };
    site.Runner().answers = {caCancel};
    dialog.Queue(kUser, kPassword);
    auto died = Make("all", "", dying->HostName());
    died->Run();
    site.Runner().onProcessMessages = nullptr;
    ASSERT_EQ(dying, nullptr) << "the server was not stopped during the transfer";
    EXPECT_FALSE(died->Succeeded());
    ASSERT_LT(TTempFolder::Read(serverRoot.File(path)).size(), 32u * 1024 * 1024);
    EXPECT_EQ(AsMap(RemoteChangeList()).count("\\images\\" + std::to_string(big) + ".gif"), 0u);

    auto next = Publish("changed");
    ASSERT_TRUE(next->Succeeded()) << site.Runner().Last();
    EXPECT_EQ(TTempFolder::Read(serverRoot.File(path)).size(), 32u * 1024 * 1024);
    EXPECT_TRUE(ServerFiles() == site.Files());
    EXPECT_EQ(AsMap(RemoteChangeList()), StagingEntries());
}

TEST_F(FtpPublish, WrongCredentialsAskAgainAndTheGoodOnesAreStoredScrambled)
{
    dialog.Queue(kUser, "wrong");
    dialog.Queue(kUser, kPassword, true);
    auto publish = Publish("changed");
    ASSERT_TRUE(publish->Succeeded()) << site.Runner().Last();
    ASSERT_EQ(dialog.shown.size(), 2u);
    EXPECT_EQ(dialog.shown[0].Address, "ftp://" + server.HostName());
    EXPECT_EQ(dialog.shown[0].Password, "");
    EXPECT_FALSE(dialog.shown[0].SavePassword);
    EXPECT_TRUE(site.Runner().Has("Authorizating on " + server.HostName() + " using login name web"));

    TAbstractDBConnection& connection = site.Connection();
    EXPECT_EQ(TCatalog::GetCatalogProperty(TPublishFtp::kLoginNameProperty, connection, TPublishSite::kCode), kUser);
    const std::string stored =
        TCatalog::GetCatalogProperty(TPublishFtp::kPasswordProperty, connection, TPublishSite::kCode);
    EXPECT_NE(stored, kPassword);
    EXPECT_EQ(TCommonFunctions::UnscramblePassword(stored), kPassword);
    for (const std::string& line : site.Runner().Texts())
        EXPECT_EQ(line.find(kPassword), std::string::npos) << line;

}

// A saved password is used without asking again; the dialog comes only
// when the server refuses it. A login given for one run without saving
// leaves no password behind.
TEST_F(FtpPublish, ASavedPasswordIsUsedWithoutAskingUntilTheServerRefusesIt)
{
    TAbstractDBConnection& connection = site.Connection();
    TCatalog& catalog = site.Program().Root().Catalog();
    catalog.SetCatalogProperty(TPublishFtp::kLoginNameProperty, kUser, connection, TPublishSite::kCode);
    catalog.SetCatalogProperty(TPublishFtp::kPasswordProperty, TCommonFunctions().ScramblePassword(kPassword),
                               connection, TPublishSite::kCode);
    server.ClearCommands();
    auto saved = Make("changed");
    saved->Run();
    EXPECT_TRUE(saved->Succeeded()) << site.Runner().Last();
    EXPECT_TRUE(dialog.shown.empty());

    // The server no longer takes it: asked once, with the saved login filled in.
    catalog.SetCatalogProperty(TPublishFtp::kPasswordProperty, TCommonFunctions().ScramblePassword("old"),
                               connection, TPublishSite::kCode);
    dialog.Queue(kUser, kPassword, true);
    auto refused = Make("changed");
    refused->Run();
    EXPECT_TRUE(refused->Succeeded()) << site.Runner().Last();
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].LoginName, kUser);
    EXPECT_EQ(dialog.shown[0].Password, "old");

    // Given for this run only (the FTP dialog's fields, not saved).
    dialog.shown.clear();
    auto given = Make("changed");
    given->SetLogin({"", kUser, kPassword, false});
    given->Run();
    EXPECT_TRUE(given->Succeeded()) << site.Runner().Last();
    EXPECT_TRUE(dialog.shown.empty());
    EXPECT_EQ(TCatalog::GetCatalogProperty(TPublishFtp::kPasswordProperty, connection, TPublishSite::kCode), "");
}

// The host as the user may type it: an address with the port and the
// folder, whose folder is used when no default directory is given.
TEST_F(FtpPublish, AnAddressTypedAsTheHostIsUsed)
{
    dialog.Queue(kUser, kPassword);
    auto publish = Make("all", "", "ftp://" + server.HostName() + "/www/");
    site.Program().Gui().QueueAnswer(mrYes);  // "Create directory?"
    publish->Run();
    ASSERT_TRUE(publish->Succeeded()) << site.Runner().Last();
    EXPECT_EQ(dialog.shown.at(0).Address, "ftp://" + server.HostName() + "/www");
    EXPECT_TRUE(fs::exists(serverRoot.File("www/index.html")));
    EXPECT_TRUE(site.Runner().Has("Process directory /www/css"));
}

// The log speaks to the user: no trace of the items each page reads, and
// what went wrong is in it.
TEST_F(FtpPublish, TheLogHoldsTheFailuresAndNoLinesForDevelopers)
{
    server.Refuse({"index.html"});
    site.Runner().answers = {caIgnore};
    auto publish = Publish("all");
    const std::vector<std::string> log = site.Runner().Texts();
    for (const std::string& line : log) {
        EXPECT_EQ(line.find("item id"), std::string::npos) << line;
        EXPECT_EQ(line.find(site.Site().Path()), std::string::npos) << line;
    }
    EXPECT_TRUE(std::any_of(site.Runner().lines.begin(), site.Runner().lines.end(), [](const auto& line) {
        return line.Level == 3 && line.Text.rfind("Cannot upload file \"index.html\", exit with message", 0) == 0;
    }));
}

TEST_F(FtpPublish, ACancelledLoginKeepsTheLocalResultAndSendsNothing)
{
    dialog.Queue(kUser, "wrong");
    server.ClearCommands();
    auto publish = Make("changed");
    publish->Run();
    EXPECT_EQ(dialog.shown.size(), 2u);
    EXPECT_TRUE(site.Runner().Has("Authorization process was canceled by user"));
    EXPECT_TRUE(publish->Succeeded());
    EXPECT_TRUE(server.Commands().empty());
    EXPECT_FALSE(fs::exists(serverRoot.File("siteinfo.zip")));
}

TEST_F(FtpPublish, AMissingDefaultDirectoryIsCreatedOnYesAndLeftOutOnNo)
{
    site.Program().Gui().QueueAnswer(mrYes);
    auto yes = Publish("changed", "www/shop");
    ASSERT_TRUE(yes->Succeeded()) << site.Runner().Last();
    EXPECT_TRUE(site.Runner().Has("Cannot change to directory: www/shop (No such file or directory.)") ||
                std::any_of(site.Runner().lines.begin(), site.Runner().lines.end(),
                            [](const auto& line) { return line.Text.rfind("Cannot change to directory: www/shop", 0) == 0; }));
    EXPECT_EQ(ServerFiles("www/shop"), site.Files());
    EXPECT_EQ(AsMap(RemoteChangeList("www/shop")), StagingEntries());

    // Now it exists: no question, and the change list there is used.
    auto again = Publish("changed", "www/shop");
    EXPECT_EQ(AsSet(server.PathsOf("STOR")), AsSet({"www/shop/siteinfo.zip"}));

    site.Program().Gui().QueueAnswer(mrNo);
    auto no = Publish("changed", "elsewhere");
    ASSERT_TRUE(no->Succeeded());
    EXPECT_FALSE(fs::exists(serverRoot.File("elsewhere")));
    EXPECT_TRUE(fs::exists(serverRoot.File("siteinfo.zip")));
    EXPECT_TRUE(fs::exists(serverRoot.File("index.html")));
}

TEST_F(FtpPublish, NamesThatWouldLeaveTheSiteFolderOnTheServerAreNotSent)
{
    // Files left in the staging folder are sent with the site; these names
    // must not become paths on the server.
    for (const auto& entry : fs::directory_iterator(site.Site().Path()))
        fs::remove_all(entry.path());
    auto publish = Make("all");
    site.Site().Write("..\\escape.html", "x");
    site.Site().Write("line\r\nDELE index.html", "x");
    dialog.Queue(kUser, kPassword);
    publish->Run();
    EXPECT_FALSE(fs::exists(fs::path(serverRoot.Path()).parent_path() / "escape.html"));
    for (const std::string& path : server.PathsOf("STOR"))
        EXPECT_TRUE(path.find("escape") == std::string::npos && path.find("DELE") == std::string::npos) << path;
    EXPECT_TRUE(fs::exists(serverRoot.File("index.html")));
    EXPECT_TRUE(site.Runner().Has("Invalid file name \"..\\escape.html\""));
    EXPECT_GE(publish->GetErrorCount(), 2);
}

TEST_F(FtpPublish, NamesWithBlanksAndAccentedLettersReachTheServerAsTheyAre)
{
    site.SetAltFileName(100002, "\xc3\x9c" "ber uns #1");
    auto publish = Publish("all");
    ASSERT_TRUE(publish->Succeeded()) << site.Runner().Last();
    EXPECT_EQ(TTempFolder::Read(serverRoot.File("EN/\xc3\x9c" "ber uns #1.html")),
              TTempFolder::Read(serverRoot.File("EN/100002.html")));
    EXPECT_EQ(AsMap(RemoteChangeList()), StagingEntries());
}

TEST_F(FtpPublish, AFolderThatCannotBeMadeOnTheServerLeavesOutTheRestOfItsParent)
{
    // A file where the folder "css" should be: it can be neither entered nor made.
    serverRoot.Write("css", "in the way");
    auto blocked = Publish("changed");
    EXPECT_GE(blocked->GetErrorCount(), 1);
    EXPECT_TRUE(std::any_of(site.Runner().lines.begin(), site.Runner().lines.end(), [](const auto& line) {
        return line.Level == 3 && line.Text.rfind("Cannot create directory \"css\". Exit with message", 0) == 0;
    }));
    // What comes after "css" in the site's folder was not sent, nor listed.
    EXPECT_FALSE(fs::exists(serverRoot.File("index.html")));
    EXPECT_TRUE(fs::exists(serverRoot.File("bin")));
    const std::map<std::string, std::string> listed = AsMap(RemoteChangeList());
    EXPECT_EQ(listed.count("\\index.html"), 0u);
    EXPECT_EQ(listed.count("\\publish.info"), 0u);

    // Once the way is free, the next run sends what was left out, and only that.
    fs::remove(serverRoot.File("css"));
    auto freed = Publish("changed");
    ASSERT_TRUE(freed->Succeeded()) << site.Runner().Last();
    EXPECT_EQ(ServerFiles(), site.Files());
    for (const std::string& path : server.PathsOf("STOR"))
        EXPECT_EQ(listed.count(EntryOf(path)), 0u) << path;
}

TEST_F(FtpPublish, ACancelDuringATransferAbortsItAndTheFileIsNotListed)
{
    const int big = site.AddItem(kImageItemType, 3);
    site.AddBinary(big, 5, "image/gif", std::string(32 * 1024 * 1024, 'g'));
    const std::string name = "\\images\\" + std::to_string(big) + ".gif";
    std::unique_ptr<TPublishFtp> publish;
    // Cancelled once the big file's bytes are on their way.
    long long sentBefore = -1;
    site.Runner().onProcessMessages = [&] {
        if (site.Runner().Last() != "Upload file " + std::to_string(big) + ".gif")
            return;
        if (sentBefore < 0)
            sentBefore = site.Runner().sent;
        else if (site.Runner().sent > sentBefore)
            publish->Cancel();
    };
    dialog.Queue(kUser, kPassword);
    server.ClearCommands();
    publish = Make("changed");
    publish->Run();
    site.Runner().onProcessMessages = nullptr;
    EXPECT_TRUE(publish->IsCancelled());
    EXPECT_FALSE(publish->Succeeded());
    const std::vector<std::string> stored = server.PathsOf("STOR");
    EXPECT_NE(std::find(stored.begin(), stored.end(), "images/" + std::to_string(big) + ".gif"), stored.end());
    EXPECT_LT(TTempFolder::Read(serverRoot.File("images/" + std::to_string(big) + ".gif")).size(),
              32u * 1024 * 1024);
    // What was sent before is listed; the aborted file is not.
    const std::map<std::string, std::string> listed = AsMap(RemoteChangeList());
    EXPECT_EQ(listed.count(name), 0u);
    EXPECT_FALSE(listed.empty());
}

TEST_F(FtpPublish, AServerThatCannotBeReachedShowsTheDialogAgain)
{
    dialog.Queue(kUser, kPassword);
    // Nothing listens on port 1 of 127.0.0.1.
    auto publish = Make("changed", "", "127.0.0.1:1");
    publish->Run();
    EXPECT_EQ(dialog.shown.size(), 2u);
    EXPECT_TRUE(std::any_of(site.Runner().lines.begin(), site.Runner().lines.end(), [](const auto& line) {
        return line.Level == 3 && line.Text.rfind("Cannot connect: ", 0) == 0 && line.Text.size() > 16;
    }));
    EXPECT_TRUE(site.Runner().Has("Authorization process was canceled by user"));
}
