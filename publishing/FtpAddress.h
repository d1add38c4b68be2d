#pragma once
// An FTP server's address as a user types it into the host field: "host",
// "host:port", "ftp://host", "ftp://user@host:port/some/folder" or an IPv6
// address in brackets ("[::1]:2121"). Parse splits it into the host, the
// port (21 unless given), the login name and the folder on the server.
#include <string>

struct TFtpAddress {
    static constexpr int kDefaultPort = 21;

    std::string Host;
    int Port = kDefaultPort;
    // Whether the text gave the port.
    bool HasPort = false;
    // The login name before "@"; empty when none was given.
    std::string LoginName;
    // The folder after the host, without slashes around it and with "%xx" decoded.
    std::string Folder;
    // Empty when the text is an FTP address; otherwise what is wrong with it.
    std::string Problem;

    static TFtpAddress Parse(const std::string& text);
    // "host", or "host:port" when the port is not 21 (an IPv6 host in brackets).
    std::string HostAndPort() const;
};
