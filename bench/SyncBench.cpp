// Synchronising with the hosting service, as the program does it, against
// the stand-in host on 127.0.0.1: a catalog of the shipped type 1 gets 1,000
// new pages (every tenth with a 50 KB picture) and merges them up (global
// ids, then packets of 100 KB); a second file of the same catalog, made
// before those pages, merges them down (packets of 5 items). Figures: the
// seconds of each way, the packets sent, and the check that no upload
// packet is over its limit by more than its last item and no download
// packet asks for more than 5 items.
//
// Arguments: the number of pages (1000 unless given).
#include "HostSyncFixture.h"

#include "storage/QueryGuard.h"
#include "storage/RecordsetToXml.h"
#include "support/TempFolder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <regex>

namespace {

double Seconds(const std::function<bool()>& run, bool& ok)
{
    const auto start = std::chrono::steady_clock::now();
    ok = run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The item ids of a packet, in the order their rows travel.
std::vector<int> PacketItems(const std::string& packet, const char* method)
{
    std::vector<int> ids;
    const std::regex item(std::string("<Action Table=\"Items\" Method=\"") + method +
                          "\"><ItemId[^>]*>([0-9]+)</ItemId>");
    for (auto it = std::sregex_iterator(packet.begin(), packet.end(), item); it != std::sregex_iterator(); ++it)
        ids.push_back(std::stoi((*it)[1]));
    return ids;
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    constexpr std::int64_t kPacketBytes = 100 * 1024;
    THostStandIn host;
    THostSyncSite site(host);
    TTempFolder other;
    bool ok = site.Sync(THostSyncSite::MergeParams());
    site.CopyTo(other.Path());
    site.Open();
    for (int i = 0; i < count; ++i) {
        const int id = site.AddPage("Page " + std::to_string(i));
        if (i % 10 == 0)
            site.AddPicture(id, 50 * 1024);
    }
    host.ClearRequests();
    const double up = Seconds([&] { return site.Sync(THostSyncSite::MergeParams()); }, ok);
    std::printf("up:   %d changed pages (%d with 50 KB pictures) merged up in %.2f s%s\n", count, (count + 9) / 10,
                up, ok ? "" : " (FAILED)");

    // Each upload packet: the items before its last stay within the limit.
    int packets = 0;
    int over = 0;
    for (const THostStandIn::TRequest& request : host.Requests()) {
        if (request.Action != "xmldata")
            continue;
        const std::vector<int> ids = PacketItems(request.Packet, "delete");
        if (ids.empty())
            continue;
        ++packets;
        TRecordsetToXml estimate(site.Connection(), site.Program().Root().GlobalDefinition().RecordsetContext());
        for (std::size_t i = 0; i + 1 < ids.size(); ++i)
            for (const std::string& table : TPublishOnTolvex::ItemTables()) {
                estimate.AddKeyAction(table, "delete", "ItemId", std::to_string(ids[i]));
                TQueryGuard query(site.Connection());
                query->SetSQL("SELECT * FROM " + table + " WHERE CatalogCode = 'shop' AND ItemId = " +
                              std::to_string(ids[i]));
                estimate.AddRecordset(table, "insert", query->Open(true));
            }
        if (estimate.GetEstimatedSize() > kPacketBytes)
            ++over;
    }
    std::printf("      %d upload packets, %d over the limit by more than one item\n", packets, over);

    site.Close();
    site.Open(other.Path());
    host.ClearRequests();
    const double down = Seconds([&] { return site.Sync(THostSyncSite::MergeParams()); }, ok);
    const int arrived = site.Count("Items", "ItemId > 100000000");
    std::printf("down: %d pages merged down in %.2f s%s\n", arrived, down, ok ? "" : " (FAILED)");
    int requests = 0;
    int tooMany = 0;
    for (const THostStandIn::TRequest& request : host.Requests()) {
        const std::size_t asked = PacketItems(request.Packet, "requestupdate").size();
        if (asked == 0)
            continue;
        ++requests;
        tooMany += asked > 5 ? 1 : 0;
    }
    std::printf("      %d download packets, %d asking for more than 5 items\n", requests, tooMany);
    return ok && over == 0 && tooMany == 0 && up < 20 && down < 20 ? 0 : 1;
}
