#pragma once
// A web server on 127.0.0.1 for the import tests: it serves the files it is
// given (path -> bytes, content type, status) and counts every request it
// gets, so that a test can show which addresses were fetched and that a
// server was never asked at all. Unknown paths answer 404.
#include <httplib.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TLocalWebServer {
public:
    struct TFile {
        std::string Body;
        std::string ContentType = "text/html";
        int Status = 200;
    };

    TLocalWebServer()
    {
        server_.set_keep_alive_max_count(1);
        server_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(request.path);
            const auto found = files_.find(request.path);
            if (found == files_.end()) {
                response.status = 404;
                response.set_content("<html><body>Not here</body></html>", "text/html");
                return;
            }
            response.status = found->second.Status;
            response.set_content(found->second.Body, found->second.ContentType);
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~TLocalWebServer()
    {
        server_.stop();
        thread_.join();
    }
    TLocalWebServer(const TLocalWebServer&) = delete;
    TLocalWebServer& operator=(const TLocalWebServer&) = delete;

    void Serve(const std::string& path, std::string body, std::string contentType = "text/html", int status = 200)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        files_[path] = {std::move(body), std::move(contentType), status};
    }
    std::string Origin() const { return "http://127.0.0.1:" + std::to_string(port_); }
    std::string Url(const std::string& path) const { return Origin() + path; }
    int Port() const { return port_; }
    std::vector<std::string> Requests() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }
    int RequestsFor(const std::string& path) const
    {
        int count = 0;
        for (const std::string& request : Requests())
            count += request == path ? 1 : 0;
        return count;
    }

private:
    httplib::Server server_;
    mutable std::mutex mutex_;
    std::map<std::string, TFile> files_;
    std::vector<std::string> requests_;
    int port_ = 0;
    std::thread thread_;
};
