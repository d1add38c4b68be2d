#pragma once
// The worker threads of a parallel local publishing run. Each worker has
// its own second connection to the catalog, its own object collection and
// its own page generation with its own work folder (TWorkerPageGeneration),
// all made on the publisher's thread; the workers take the run's pages in
// turn and keep each page's result until the publisher takes it, in the
// order of the pages.
//
//   TPublishWorkers workers(data, root, lock, languages, options, 4);
//   workers.Start(tasks);
//   for (i ...) while (!workers.Take(i, result, 100ms)) keep the runner answering;
//   workers.Finish(keptWorkFiles, previewDir);
#include "generation/TransformerWorkFiles.h"
#include "publishing/PublishPageGenerator.h"
#include "publishing/SharedServicesLock.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

class TCatalogData;
class TTolvex;

class TPublishWorkers {
public:
    // Lock is the publisher's lock of the catalog's shared services. Raises
    // EPublisherTolvexException when a worker cannot be made.
    TPublishWorkers(TCatalogData& data, TTolvex& root, TSharedServicesLock& lock, const std::vector<std::string>& languages,
                    const TPublishPageGenerator::TOptions& options, std::size_t count);
    // Stops and waits for the workers when Finish was not called.
    ~TPublishWorkers();
    TPublishWorkers(const TPublishWorkers&) = delete;
    TPublishWorkers& operator=(const TPublishWorkers&) = delete;

    // Starts the workers on Tasks (which must stay unchanged until Finish).
    void Start(const std::vector<TPublishPageTask>& tasks);
    // Result := the result of the Index-th task when it is done within Wait
    // (it is then no longer kept); false when it is not done yet.
    bool Take(std::size_t index, TPublishPageResult& result, std::chrono::milliseconds wait);
    // Stops the workers (each ends the page it is generating) and waits for
    // them; hands their kept work files (out.xsl, out.xml, out.html) to
    // Kept and copies their template work files into WorkDir as a run in
    // order would have left them there; commits what their connections wrote.
    // Only what was written for pages before the Before-th task counts (a
    // run that stopped there). Answers, for such a run, the tasks whose
    // pages were the last before it to write a template work file, in
    // order: a worker may since have written that file again for a later
    // page, so the publisher generates them once more.
    std::vector<std::size_t> Finish(TTransformerWorkFiles& kept, const std::string& workDir,
                                    std::size_t before = static_cast<std::size_t>(-1));

private:
    // The longest run of tasks a worker takes at once: the pages of a run
    // wait in memory until the publisher's thread takes them in order.
    static constexpr std::size_t kMostTasksAtOnce = 128;
    // How much of the catalog each worker's connection may keep in memory.
    static constexpr std::size_t kReadCacheBytes = 16u << 20;

    struct TWorker;
    void Run(TWorker& worker);
    // The first task and the number of tasks of a worker's next run of
    // consecutive tasks; none when all are taken.
    std::pair<std::size_t, std::size_t> Claim();
    void StopAndJoin();
    // Frees the workers, each on a thread of its own; their connections are closed on this thread.
    void Release() noexcept;

    std::vector<std::unique_ptr<TWorker>> workers_;
    const std::vector<TPublishPageTask>* tasks_ = nullptr;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> stop_{false};
    std::mutex resultsMutex_;
    std::condition_variable resultReady_;
    std::vector<TPublishPageResult> results_;
    std::vector<char> done_;
    // The task whose result Take waits for.
    static constexpr std::size_t kNoneAwaited = static_cast<std::size_t>(-1);
    std::size_t awaited_ = kNoneAwaited;
    bool finished_ = false;
};
