#include "publishing/HostPublishParameters.h"

#include "common/IniSettings.h"
#include "storage/NameValueLines.h"

#include <charconv>
#include <map>

namespace {

int NumberOf(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && rest == end ? value : 0;
}

void Set(std::vector<std::string>& params, const std::string& name, const std::string& value)
{
    for (std::string& line : params)
        if (line.rfind(name + "=", 0) == 0) {
            line = name + "=" + value;
            return;
        }
    params.push_back(name + "=" + value);
}

}  // namespace

THostSyncChoices THostSyncChoices::FromSettings(const TIniSettings& settings)
{
    THostSyncChoices choices;
    choices.PacketSizeKb = settings.GetInteger(siPublishOnTolvexPacketSize, 100);
    choices.SendInPackets = settings.GetBool(siPublishOnTolvexBulkSend, true);
    choices.StartPageGeneration = settings.GetBool(siPublishStartPagesGeneration, true);
    choices.ApplyHostImmediately = settings.GetBool(siPublishApplyImmediatelyToHost, true);
    choices.ApplyLocalImmediately = settings.GetBool(siPublishApplyImmediatelyLocally, true);
    return choices;
}

THostSyncChoices THostSyncChoices::FromParams(const std::vector<std::string>& params)
{
    THostSyncChoices choices;
    choices.FromList = true;
    const std::string direction = ValueOfName(params, "Synchronization");
    const std::string erase = ValueOfName(params, "Delete");
    if (direction == "LocalToHost") {
        choices.Direction = LocalToHost;
        choices.DeleteHost = erase == "Host";
    } else if (direction == "HostToLocal") {
        choices.Direction = HostToLocal;
        choices.DeleteLocal = erase == "Local";
    }
    choices.StartPageGeneration = ValueOfName(params, "DontGeneratePages") != "yes";
    choices.StartPageGenerationEnabled = ValueOfName(params, "DisableGeneratePages") != "yes";
    const int packet = NumberOf(ValueOfName(params, "SendPacketSize"));
    choices.SendInPackets = packet > 0;
    if (packet > 0)
        choices.PacketSizeKb = packet;
    choices.ApplyHostImmediately = ValueOfName(params, "ChangesHost") != "Posponded";
    choices.ApplyLocalImmediately = ValueOfName(params, "ChangesLocal") != "Posponded";
    return choices;
}

void THostSyncChoices::Normalize()
{
    if (!DeleteHostEnabled())
        DeleteHost = false;
    if (!DeleteLocalEnabled())
        DeleteLocal = false;
}

void THostSyncChoices::Save(TIniSettings& settings) const
{
    settings.SetInteger(siPublishOnTolvexPacketSize, PacketSizeKb);
    settings.SetBool(siPublishOnTolvexBulkSend, SendInPackets);
    if (FromList)
        return;
    settings.SetBool(siPublishStartPagesGeneration, StartPageGeneration);
    settings.SetBool(siPublishApplyImmediatelyToHost, ApplyHostImmediately);
    settings.SetBool(siPublishApplyImmediatelyLocally, ApplyLocalImmediately);
}

unsigned THostSyncChoices::Bits() const
{
    unsigned bits = 0;
    switch (Direction) {
    case Merge:
        bits |= 0x001;
        break;
    case LocalToHost:
        bits |= 0x002 | (DeleteHost ? 0x008 : 0);
        break;
    case HostToLocal:
        bits |= 0x004 | (DeleteLocal ? 0x010 : 0);
        break;
    }
    if (ApplyHostImmediately)
        bits |= 0x020;
    if (ApplyLocalImmediately)
        bits |= 0x040;
    if (!StartPageGeneration)
        bits |= 0x080;
    if (ForcePageGeneration)
        bits |= 0x100;
    return bits;
}

int THostSyncChoices::PacketSizeToSend(const TIniSettings& settings)
{
    const int size = settings.GetInteger(siPublishOnTolvexPacketSize, 100);
    return settings.GetBool(siPublishOnTolvexBulkSend, true) && size > 5 ? size : 0;
}

namespace host_publish {

std::vector<std::string> SyncParams(unsigned bits, int packetSizeKb)
{
    std::vector<std::string> params;
    if (packetSizeKb > 0)
        params.push_back("SendPacketSize=" + std::to_string(packetSizeKb));
    if (bits & 0x001)
        params.push_back("Synchronization=Merge");
    else if (bits & 0x002)
        params.push_back("Synchronization=LocalToHost");
    else if (bits & 0x004)
        params.push_back("Synchronization=HostToLocal");
    if (bits & 0x010)
        params.push_back("Delete=Local");
    else if (bits & 0x008)
        params.push_back("Delete=Host");
    if (bits & 0x020)
        params.push_back("ChangesHost=Immediately");
    if (bits & 0x040)
        params.push_back("ChangesLocal=Immediately");
    if (bits & 0x080)
        params.push_back("DontGeneratePages=yes");
    if (bits & 0x100)
        params.push_back("ForceRegeneratePages=yes");
    return params;
}

std::vector<std::string> UploadStyleStartParams()
{
    return {"SendPacketSize=100",     "Synchronization=Merge",  "Delete=Host",         "DisableGeneratePages=yes",
            "DontGeneratePages=yes", "ChangesHost=Posponded", "ChangesLocal=Posponded"};
}

std::vector<std::string> UploadStyleParams(const THostSyncChoices& choices)
{
    std::vector<std::string> params = UploadStyleStartParams();
    const int packet = choices.SendInPackets && choices.PacketSizeKb > 5 ? choices.PacketSizeKb : 0;
    Set(params, "SendPacketSize", std::to_string(packet));
    // What the dialog sets replaces the start list; what it leaves alone stays.
    for (const std::string& line : SyncParams(choices.Bits(), 0)) {
        const std::size_t equals = line.find('=');
        Set(params, line.substr(0, equals), line.substr(equals + 1));
    }
    return params;
}

std::vector<std::string> DownloadStyleParams()
{
    return {"SendPacketSize=100", "Synchronization=HostToLocal", "Delete=Local", "DontGeneratePages=yes"};
}

std::vector<std::string> DownloadDatabaseParams(const std::string& catalogCode)
{
    return {"CatalogCode=" + catalogCode,      "DatabaseFromHost=yes",   "Synchronization=HostToLocal",
            "Delete=Local",                    "ChangesLocal=Immediately", "ChangesHost=Immediately",
            "SendPacketSize=50"};
}

std::vector<std::string> TransferTableParams(const std::string& verb, const std::string& catalogCode,
                                             const std::string& userName, const std::string& password)
{
    struct TTransfer {
        const char* connection;
        std::vector<std::string> tables;
    };
    static const std::map<std::string, TTransfer> kTransfers{
        {"Zarivuro", {"zarivuro", {"ZUDICategories"}}},
        {"Ebay", {"ebay", {"EBayCategory"}}},
        {"Unspsc", {"unspsc", {"UNSPSC"}}},
        {"Harmonized", {"harmonized", {"Harmonized"}}},
        {"TolvexReferences",
         {"tolvex",
          {"AllReferences", "Countries", "CountryCurrency", "Currencies", "Languages", "RegionCountry", "Regions",
           "Units"}}},
        {"GlobalTables",
         {"global",
          {"GlobalClasses", "GlobalClassMemberList", "GlobalClassMembers", "GlobalClassMessages", "GlobalItemIds",
           "GlobalItemTypes", "GlobalTables"}}},
    };
    const bool upload = verb.rfind("Upload", 0) == 0;
    const bool download = verb.rfind("Download", 0) == 0;
    if (!upload && !download)
        return {};
    const auto found = kTransfers.find(verb.substr(upload ? 6 : 8));
    if (found == kTransfers.end())
        return {};
    std::vector<std::string> params{"Connection=" + std::string(found->second.connection)};
    for (const std::string& table : found->second.tables)
        params.push_back("Table=" + table);
    if (download && found->first == "Zarivuro")
        params.insert(params.end(), {"requestfieldname=CatalogCode", "requestfieldvalue=" + catalogCode});
    params.push_back("SendPacketSize=100");
    if (upload)
        params.insert(params.end(), {"Synchronization=LocalToHost", "Delete=Host"});
    else
        params.insert(params.end(), {"Synchronization=HostToLocal", "Delete=Local"});
    params.insert(params.end(), {"DontGeneratePages=yes", "UserName=" + userName, "Password=" + password});
    return params;
}

}  // namespace host_publish
