#include "publishing/SiteWriter.h"

#include <utility>

namespace {

// Files waiting at most: bounds the memory the pages' texts take while the disk is slower.
constexpr std::size_t kMaxWaiting = 256;

}  // namespace

TSiteWriter::TSiteWriter(const TSiteFolder& site, std::size_t threads) : site_(site)
{
    for (std::size_t i = 0; i < std::max<std::size_t>(threads, 1); ++i)
        threads_.emplace_back([this] { Run(); });
}

TSiteWriter::~TSiteWriter()
{
    Stop();
}

void TSiteWriter::Write(std::string relative, std::shared_ptr<const std::string> content)
{
    std::unique_lock<std::mutex> guard(mutex_);
    changed_.wait(guard, [this] { return queue_.size() < kMaxWaiting || error_; });
    if (error_)
        std::rethrow_exception(error_);
    queue_.push_back(TFile{std::move(relative), std::move(content)});
    changed_.notify_all();
}

void TSiteWriter::Finish()
{
    Stop();
    RaiseError();
}

void TSiteWriter::RaiseError()
{
    std::lock_guard<std::mutex> guard(mutex_);
    if (error_)
        std::rethrow_exception(error_);
}

void TSiteWriter::Stop()
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& thread : threads_)
        if (thread.joinable())
            thread.join();
}

void TSiteWriter::Run()
{
    std::unique_lock<std::mutex> guard(mutex_);
    for (;;) {
        changed_.wait(guard, [this] { return !queue_.empty() || stopping_; });
        if (queue_.empty() || error_)
            return;
        TFile file = std::move(queue_.front());
        queue_.pop_front();
        changed_.notify_all();
        guard.unlock();
        std::exception_ptr error;
        try {
            site_.WriteFile(file.Relative, *file.Content);
        } catch (...) {
            error = std::current_exception();
        }
        guard.lock();
        if (error && !error_) {
            error_ = error;
            queue_.clear();
            changed_.notify_all();
        }
    }
}
