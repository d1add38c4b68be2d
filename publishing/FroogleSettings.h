#pragma once
// The product feed's settings, kept in the object "FroogleSettings" of item
// 1511 (type 1511, under parent 0): the feed service's FTP site, user name
// and password, as typed. Loading gives the service's default FTP address
// when none is stored; storing creates item 1511 when the catalog has none.
// The feed options frame of the catalog options shows and edits them.
#include <string>

class TAbstractDBConnection;
class TTolvex;

struct TFroogleSettings {
    static constexpr int kSettingsItemId = 1511;
    static constexpr const char* kDefaultFtpSite = "ftp://feeds.example.com";

    std::string FTPSite;
    std::string UserName;
    std::string Password;

    // The settings of the open catalog in the language.
    static TFroogleSettings Load(TTolvex& root, TAbstractDBConnection& connection, const std::string& lang);
    void Store(TTolvex& root, TAbstractDBConnection& connection, const std::string& lang) const;
};
