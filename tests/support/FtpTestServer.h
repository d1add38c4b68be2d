#pragma once
// A real FTP server on 127.0.0.1 for tests: Debian's pyftpdlib run as a child
// process on a free port, one user with a password, a given folder as its
// root. It writes a line per STOR, RETR and MKD ("STOR css/1.css", paths
// relative to the root) that tests count, and refuses to store the file
// names given to Refuse. Stopped (and waited for) when the object dies; it
// also ends by itself when the test process is gone.
#include "support/TempFolder.h"

#include <string>
#include <sys/types.h>
#include <vector>

class TFtpTestServer {
public:
    TFtpTestServer(const std::string& rootFolder, const std::string& user, const std::string& password);
    ~TFtpTestServer();
    TFtpTestServer(const TFtpTestServer&) = delete;
    TFtpTestServer& operator=(const TFtpTestServer&) = delete;

    // "127.0.0.1:<port>".
    std::string HostName() const { return "127.0.0.1:" + std::to_string(port_); }
    int Port() const { return port_; }

    // The command lines written so far, and forgetting them.
    std::vector<std::string> Commands() const;
    // The paths of the lines of one command ("STOR").
    std::vector<std::string> PathsOf(const std::string& command) const;
    void ClearCommands() const;
    // File names (without folder) whose STOR the server answers with 550.
    void Refuse(const std::vector<std::string>& fileNames) const;

private:
    TTempFolder state_;
    pid_t pid_ = -1;
    int port_ = 0;
};
