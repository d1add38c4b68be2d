#pragma once
// The local image server: a small HTTP server on the loopback address that
// hands out the images of the open catalog, by item id, to programs on the
// same computer. Any GET, HEAD or POST path whose file name (cut before its
// first ".") is an item id answers that item's stored image with its stored
// MIME type: "/55.jpg", "/55" and "/images/55.gif" all answer the image of
// item 55. Everything else is not found (404): requests whose peer address
// is not exactly 127.0.0.1, names that are no number, items without image
// data, and any request while no catalog is being served.
//
// The catalog object starts it when a catalog opens and stops it when the
// catalog closes. Requests are answered on the server's own threads, which
// read the catalog through a connection of their own (never the GUI
// thread's), one request at a time.
//
// A start that fails (the port is taken) raises nothing: its message
// replaces the file "http.log" in the temporary folder, and the server does
// not answer.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class TAbstractDBConnection;

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

class TTolvexHttpServer {
public:
    static constexpr const char* kAddress = "127.0.0.1";
    static constexpr int kDefaultPort = 12321;
    static constexpr const char* kLogFileName = "http.log";

    // Opens the connection the server reads the catalog through.
    using TConnectionOpener = std::function<std::unique_ptr<TAbstractDBConnection>()>;

    // TempDir: the folder of "http.log". Does not listen yet.
    explicit TTolvexHttpServer(std::string tempDir, int port = kDefaultPort);
    // Stops listening.
    ~TTolvexHttpServer();
    TTolvexHttpServer(const TTolvexHttpServer&) = delete;
    TTolvexHttpServer& operator=(const TTolvexHttpServer&) = delete;

    // Serves the images of CatalogCode through a connection that OpenConnection
    // opens now; a server that runs is stopped first. A failure is written to
    // "http.log" (replacing it) and leaves the server stopped. True when it listens.
    bool Start(const std::string& catalogCode, const TConnectionOpener& openConnection);
    // Stops listening and closes the server's connection; nothing when it does not run.
    void Stop();
    bool IsRunning() const { return thread_.joinable(); }
    int GetPort() const { return port_; }

private:
    void Listen(const std::string& catalogCode, std::unique_ptr<TAbstractDBConnection> connection);
    void Answer(const httplib::Request& request, httplib::Response& response);
    void WriteLog(const std::string& message) const;

    std::string tempDir_;
    int port_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    // Set from the start of the server thread until its listening ends.
    std::atomic<bool> listening_ = false;
    // Guards what the request threads read.
    std::mutex mutex_;
    std::string catalogCode_;
    std::unique_ptr<TAbstractDBConnection> connection_;
};
