#pragma once
// What FTP publishing asks of the "Ftp Authorization" dialog: the server
// address shown, the login name and password (filled in from the catalog
// and given back as typed), and whether the password is to be saved.
#include <string>

struct TFtpLogin {
    std::string Address;
    std::string LoginName;
    std::string Password;
    bool SavePassword = false;
};

class TFtpAuthorizationDialog {
public:
    virtual ~TFtpAuthorizationDialog() = default;
    // Shows the dialog; false when the user cancelled it.
    virtual bool Execute(TFtpLogin& login) = 0;
};
