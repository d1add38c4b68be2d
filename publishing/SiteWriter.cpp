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
    if (queue_.size() >= kMaxWaiting && !error_) {
        ++fullWaiters_;
        notFull_.wait(guard, [this] { return queue_.size() < kMaxWaiting / 2 || error_; });
        --fullWaiters_;
    }
    if (error_)
        std::rethrow_exception(error_);
    queue_.push_back(TFile{std::move(relative), std::move(content)});
    if (idleWriters_ > 0)
        notEmpty_.notify_one();
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
    notEmpty_.notify_all();
    for (std::thread& thread : threads_)
        if (thread.joinable())
            thread.join();
}

void TSiteWriter::Run()
{
    std::unique_lock<std::mutex> guard(mutex_);
    for (;;) {
        ++idleWriters_;
        notEmpty_.wait(guard, [this] { return !queue_.empty() || stopping_; });
        --idleWriters_;
        if (queue_.empty() || error_)
            return;
        TFile file = std::move(queue_.front());
        queue_.pop_front();
        // The publisher waiting for room goes on once half the queue is written.
        if (fullWaiters_ > 0 && queue_.size() < kMaxWaiting / 2)
            notFull_.notify_all();
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
            notFull_.notify_all();
        }
    }
}
