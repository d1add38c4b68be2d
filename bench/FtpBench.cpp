// Publishing a large site by FTP to the tests' FTP server on 127.0.0.1: the
// catalog of the publishing bench (10,000 pages unless given) published with
// "UpdateMethod" = "changed" three times:
//  1. the first run, which sends every file and the change list;
//  2. a run with no change, which reads the change list, compares the
//     CRC-32s of the local files and sends nothing but the change list;
//  3. a run after one story page was renamed, which sends the files whose
//     bytes changed and the change list.
// Beside the no-change run, in the same run of the bench: the same site
// published locally alone (the same workers), so that the figure is the
// time the FTP part adds (target: under 2 s). The server's STOR and RETR
// lines are counted and checked against what each run had to send.
//
// Arguments: the number of pages.
#include "PublishBenchSite.h"

#include "catalog/Catalog.h"
#include "publishing/FtpAuthorization.h"
#include "publishing/PublishFtp.h"
#include "support/FtpTestServer.h"
#include "support/TempFolder.h"

#include "BenchTiming.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using bench_site::Seconds;
using bench_site::TClock;

namespace {

constexpr const char* kUser = "web";
constexpr const char* kPassword = "bench-pw";

// The login dialog: always the server's user.
class TBenchLogin : public TFtpAuthorizationDialog {
public:
    bool Execute(TFtpLogin& login) override
    {
        login = {"", kUser, kPassword, true};
        return true;
    }
};

struct TRun {
    double seconds = 0;
    bool succeeded = false;
    std::multiset<std::string> stored;
    std::multiset<std::string> read;
};

class TFtpBench {
public:
    explicit TFtpBench(int pages) : ids_(bench_site::GrowCatalog(site_, pages)) {}

    int Pages() const { return static_cast<int>(ids_.size()); }
    TPublishSite& Site() { return site_; }
    const std::vector<int>& Ids() const { return ids_; }

    // A run into the emptied staging folder, as the entry point starts it.
    TRun PublishFtp()
    {
        EmptyStaging();
        std::vector<std::string> params = site_.Params("EN");
        params.push_back("HostName=" + server_.HostName());
        params.push_back("DefaultDirectory=");
        params.push_back("UpdateMethod=changed");
        TPublishFtp publish(params, site_.Connection(),
                            TPublisherEnvironment{site_.Program().Gui(), nullptr, &site_.Runner(),
                                                  &site_.Program().Root(), nullptr},
                            &login_);
        server_.ClearCommands();
        TRun run;
        const auto start = TClock::now();
        publish.Run();
        run.seconds = Seconds(start);
        run.succeeded = publish.Succeeded();
        const std::vector<std::string> stored = server_.PathsOf("STOR");
        const std::vector<std::string> read = server_.PathsOf("RETR");
        run.stored = {stored.begin(), stored.end()};
        run.read = {read.begin(), read.end()};
        return run;
    }

    // The same site published locally alone into the emptied staging folder.
    double PublishLocally()
    {
        EmptyStaging();
        std::vector<std::string> params = site_.Params("EN");
        std::unique_ptr<TPublishLocally> publish = site_.Make(params);
        const auto start = TClock::now();
        publish->Run();
        return Seconds(start);
    }

    std::map<std::string, std::string> StagingFiles() const { return site_.Files(); }

private:
    void EmptyStaging()
    {
        for (const auto& entry : fs::directory_iterator(site_.Site().Path()))
            fs::remove_all(entry.path());
    }

    TPublishSite site_;
    std::vector<int> ids_;
    TTempFolder serverRoot_;
    TFtpTestServer server_{serverRoot_.Path(), kUser, kPassword};
    TBenchLogin login_;
};

void Line(const char* what, double seconds, const std::string& more = "")
{
    std::printf("%-48s %9.1f ms  %s\n", what, seconds * 1000.0, more.c_str());
}

std::string Counted(const TRun& run)
{
    return std::to_string(run.stored.size()) + " STOR, " + std::to_string(run.read.size()) + " RETR";
}

}  // namespace

int main(int argc, char** argv)
{
    const int pages = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    int faults = 0;
    const auto check = [&](bool ok, const char* what) {
        std::printf("  %-60s %s\n", what, ok ? "yes" : "NO");
        faults += ok ? 0 : 1;
    };
    const std::multiset<std::string> changeListOnly{TPublishFtp::kChangeListName};

    TFtpBench bench(pages);
    std::printf("site of %d pages\n", bench.Pages());

    const TRun first = bench.PublishFtp();
    const std::map<std::string, std::string> firstFiles = bench.StagingFiles();
    Line("first run, every file:", first.seconds,
         std::to_string(firstFiles.size()) + " files, " + Counted(first));
    check(first.succeeded, "the first run succeeded");

    // No change, three times, each beside the local publishing alone.
    std::vector<double> unchanged;
    std::vector<double> local;
    for (int i = 0; i < 3; ++i) {
        local.push_back(bench.PublishLocally());
        const TRun run = bench.PublishFtp();
        unchanged.push_back(run.seconds);
        if (i == 0) {
            check(run.succeeded, "the run with no change succeeded");
            check(run.stored == changeListOnly && run.read == changeListOnly,
                  "it read and stored the change list alone");
            std::printf("  (%s)\n", Counted(run).c_str());
        }
    }
    const double localMedian = Median(local);
    const double unchangedMedian = Median(unchanged);
    Line("local publishing alone (median of 3):", localMedian);
    Line("run with no change (median of 3):", unchangedMedian);
    Line("  FTP part beyond the local publishing:", unchangedMedian - localMedian, "(target under 2000 ms)");

    // One story renamed: the files whose bytes changed, and the change list
    // before and after them.
    const int story = bench.Ids().back();
    bench.Site().SetName(story, "Renamed story", "Umbenannte Geschichte");
    const TRun changed = bench.PublishFtp();
    const std::map<std::string, std::string> changedFiles = bench.StagingFiles();
    std::multiset<std::string> expected{TPublishFtp::kChangeListName, TPublishFtp::kChangeListName};
    for (const auto& [name, bytes] : changedFiles) {
        const auto before = firstFiles.find(name);
        if (before == firstFiles.end() || before->second != bytes)
            expected.insert(name);
    }
    Line("run after one renamed story:", changed.seconds, Counted(changed));
    check(changed.succeeded, "the run after the change succeeded");
    check(changed.stored == expected, "it stored exactly the changed files and the change list");
    check(changed.read == changeListOnly, "it read the change list alone");
    std::printf("  (%zu changed files)\n", expected.size() - 2);
    return faults == 0 ? 0 : 1;
}
