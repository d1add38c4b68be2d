#pragma once
// The answers of the hosting-service dialogs and the parameter lists the
// entry points start the synchronisation with. THostSyncChoices is what the
// "Advanced Options" dialog holds: filled from the settings (74 to 78) or
// from a parameter list (the style upload), kept consistent by the control
// rule, saved back and turned into option bits; the free functions make
// the parameter lists of each entry point. No widgets.
#include <string>
#include <vector>

class TIniSettings;

struct THostSyncChoices {
    enum TDirection { Merge, LocalToHost, HostToLocal };

    TDirection Direction = Merge;
    bool DeleteHost = false;
    bool DeleteLocal = false;
    bool ApplyHostImmediately = true;
    bool ApplyLocalImmediately = true;
    bool StartPageGeneration = true;
    // "Start pages regeneration" may not be ticked (style uploads).
    bool StartPageGenerationEnabled = true;
    bool ForcePageGeneration = false;
    bool SendInPackets = true;
    int PacketSizeKb = 100;
    // Filled from a parameter list: only settings 74 and 75 are saved.
    bool FromList = false;

    static THostSyncChoices FromSettings(const TIniSettings& settings);
    static THostSyncChoices FromParams(const std::vector<std::string>& params);

    // The control rule: a delete box only with its direction's radio.
    void Normalize();
    bool DeleteHostEnabled() const { return Direction == LocalToHost; }
    bool DeleteLocalEnabled() const { return Direction == HostToLocal; }

    // "Continue": setting 75 the packet size, 74 "Send data in packets";
    // unless filled from a list also 76, 77 and 78.
    void Save(TIniSettings& settings) const;
    // The option bits (0x001 ... 0x100).
    unsigned Bits() const;
    // The packet size to send: setting 75 when 74 is on and it is above 5, else 0.
    static int PacketSizeToSend(const TIniSettings& settings);
};

namespace host_publish {

// Bits of a synchronisation without the advanced options: merge, both sides at once.
inline constexpr unsigned kDefaultBits = 0x061;
inline constexpr int kDefaultPacketSizeKb = 100;

// "SendPacketSize" (when PacketSizeKb is above 0), "Synchronization",
// "Delete", "ChangesHost", "ChangesLocal", "DontGeneratePages",
// "ForceRegeneratePages", in this order, from the bits.
std::vector<std::string> SyncParams(unsigned bits, int packetSizeKb);
// The style upload's list before the dialog, and after it (the dialog's
// values over the start list; "SendPacketSize" "0" without packets).
std::vector<std::string> UploadStyleStartParams();
std::vector<std::string> UploadStyleParams(const THostSyncChoices& choices);
std::vector<std::string> DownloadStyleParams();
// The download of a whole catalog into a new local one.
std::vector<std::string> DownloadDatabaseParams(const std::string& catalogCode);
// A table transfer verb ("UploadZarivuro" ... "DownloadGlobalTables") with
// the account; empty for a verb that is none.
std::vector<std::string> TransferTableParams(const std::string& verb, const std::string& catalogCode,
                                             const std::string& userName, const std::string& password);

}  // namespace host_publish
