#include "generation/TolvexHttpServer.h"

#include "common/CommonFunctions.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "storage/AbstractDBConnection.h"
#include "storage/MemberValueText.h"

#include <httplib.h>
#include <sys/socket.h>

#include <chrono>
#include <sstream>

namespace {

// How long Start waits for the server thread to accept: 5 ms steps, 10 s in all.
constexpr int kStartWaitSteps = 2000;
constexpr std::size_t kRequestThreads = 4;
constexpr time_t kKeepAliveSeconds = 2;

// The item id a request path names: its file name cut before the first ".".
int ItemIdOfPath(const std::string& path)
{
    std::string name = path.substr(std::min(path.find_last_of("/\\") + 1, path.size()));
    name.erase(std::min(name.find('.'), name.size()));
    return TMemberValueText::ReadInteger(name);
}

}  // namespace

TTolvexHttpServer::TTolvexHttpServer(std::string tempDir, int port) : tempDir_(std::move(tempDir)), port_(port) {}

TTolvexHttpServer::~TTolvexHttpServer()
{
    Stop();
}

bool TTolvexHttpServer::Start(const std::string& catalogCode, const TConnectionOpener& openConnection)
{
    Stop();
    try {
        Listen(catalogCode, openConnection());
        return true;
    } catch (const std::exception& error) {
        // Nothing is shown: the log file holds why the server does not answer.
        Stop();
        WriteLog(error.what());
        return false;
    }
}

void TTolvexHttpServer::Listen(const std::string& catalogCode, std::unique_ptr<TAbstractDBConnection> connection)
{
    if (!connection)
        throw ECriticalTolvexException("The image server has no connection to the catalog");
    {
        std::lock_guard lock(mutex_);
        catalogCode_ = catalogCode;
        connection_ = std::move(connection);
    }
    server_ = std::make_unique<httplib::Server>();
    // Requests are answered one at a time anyway (one connection); a few
    // threads keep an idle kept-alive client from blocking the others.
    server_->new_task_queue = [] { return new httplib::ThreadPool(kRequestThreads); };
    server_->set_keep_alive_timeout(kKeepAliveSeconds);
    // Only SO_REUSEADDR: with the library's default SO_REUSEPORT a second
    // server could share the port unnoticed.
    server_->set_socket_options([](int socket) {
        const int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    });
    const auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        Answer(request, response);
    };
    server_->Get(".*", handler);
    server_->Post(".*", handler);
    // The library answers HEAD through the GET handler, without the body.
    if (!server_->bind_to_port(kAddress, port_))
        throw ECriticalTolvexException("Cannot listen on " + std::string(kAddress) + " port " +
                                       std::to_string(port_) + ": the port is in use or not allowed");
    listening_ = true;
    thread_ = std::thread([this, server = server_.get()] {
        server->listen_after_bind();
        listening_ = false;
    });
    // Stop can only end a server that has begun to accept; wait for that.
    for (int wait = 0; !server_->is_running(); ++wait) {
        if (wait == kStartWaitSteps)
            throw ECriticalTolvexException("The image server did not start accepting requests");
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void TTolvexHttpServer::Stop()
{
    // The library's stop does nothing until the thread has begun to accept,
    // so it is repeated until the thread is done.
    while (server_ && listening_) {
        server_->stop();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (thread_.joinable())
        thread_.join();
    server_.reset();
    std::lock_guard lock(mutex_);
    connection_.reset();
    catalogCode_.clear();
}

void TTolvexHttpServer::Answer(const httplib::Request& request, httplib::Response& response)
{
    response.status = 404;
    if (request.remote_addr != kAddress)
        return;
    const int itemId = ItemIdOfPath(request.path);
    if (itemId == 0)
        return;
    std::lock_guard lock(mutex_);
    if (!connection_)
        return;
    std::ostringstream image;
    std::int64_t size = 0;
    std::string mimeType;
    try {
        if (!TCommonImages::LoadImageToStream(catalogCode_, itemId, image, size, mimeType, *connection_))
            return;
    } catch (const ETolvexException&) {
        // A failing read answers not found, like an item without an image.
        return;
    }
    response.status = 200;
    response.set_content(image.str(), mimeType.empty() ? "application/octet-stream" : mimeType);
}

void TTolvexHttpServer::WriteLog(const std::string& message) const
{
    try {
        TCommonFunctions::SaveStringToFile(message, tempDir_ + "/" + kLogFileName);
    } catch (const ECriticalTolvexException&) {
        // The log is the only report of a failed start; there is nowhere else to write.
    }
}
