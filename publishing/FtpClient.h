#pragma once
// The FTP client of FTP publishing, on libcurl: passive mode, binary
// transfers, one control connection kept open between the commands. It keeps
// no remote working directory of its own: every command names its path
// relative to the login directory ("a/b/file"), so that a lost connection
// that libcurl opens again cannot leave a transfer in the wrong folder.
//
//   TFtpClient ftp("127.0.0.1:2121");
//   ftp.SetLogin("user", "secret");
//   if (ftp.Connect() && ftp.Store("css/1.css", localFile) / 100 == 2) ...
//
// Commands answer the server's last reply code (CURLINFO_RESPONSE_CODE);
// a failure without a reply (no connection, time-out, stopped) raises
// EPublisherTolvexException. The password never appears in a message.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TFtpClient {
public:
    // Host is "name" or "name:port".
    explicit TFtpClient(std::string host);
    ~TFtpClient();
    TFtpClient(const TFtpClient&) = delete;
    TFtpClient& operator=(const TFtpClient&) = delete;

    void SetLogin(const std::string& userName, const std::string& password);
    // Called while a transfer runs with the bytes sent and received since the
    // last call; answering true aborts the transfer.
    std::function<bool(std::int64_t sent, std::int64_t received)> OnWork;

    // Logs in; true when the server accepted the login. A refused login
    // answers false with reply 530; no connection at all answers false with
    // reply 0 and the reason as the reply text.
    bool Connect();
    bool Connected() const { return connected_; }
    // Closes the connection (QUIT).
    void Disconnect();

    // Whether the folder exists and can be entered: the CWD reply (250).
    long ChangeDir(const std::string& path);
    // The MKD reply (257).
    long MakeDir(const std::string& path);
    // Stores a local file or bytes under the path, replacing what is there.
    long Store(const std::string& path, const std::string& localFile);
    long StoreBytes(const std::string& path, const std::string& bytes);
    // Retrieves a file into Bytes; at most MaxBytes are accepted.
    long Retrieve(const std::string& path, std::string& bytes, std::int64_t maxBytes);

    long LastReplyCode() const { return replyCode_; }
    // Whether the server accepted the last transfer's data connection (a
    // 125 or 150 reply): a store it refused before that left the file on the
    // server as it was.
    bool LastTransferStarted() const { return transferStarted_; }
    // The text of the last reply without its code ("No such file or directory.").
    const std::string& LastReplyText() const { return replyText_; }

    // A name libcurl may send as one path element: not empty, not "." or
    // "..", no slash, backslash or control character.
    static bool IsSafeName(const std::string& name);

private:
    friend struct TFtpCallbacks;
    struct TTransfer;
    long Perform(TTransfer& transfer);
    std::string Url(const std::string& path) const;

    std::string host_;
    std::string userName_;
    std::string password_;
    std::string entryPath_;
    bool connected_ = false;
    long replyCode_ = 0;
    std::string replyText_;
    bool transferStarted_ = false;
    void* handle_ = nullptr;
};
