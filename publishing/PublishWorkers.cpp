#include "publishing/PublishWorkers.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Tolvex.h"
#include "common/Exceptions.h"
#include "generation/Templates.h"
#include "publishing/WorkFolder.h"
#include "publishing/WorkerPageGeneration.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/ObjectCollection.h"

#include <libxml/parser.h>
#include <libxslt/xslt.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <map>
#include <set>
#include <thread>
#include <utility>

namespace fs = std::filesystem;

struct TPublishWorkers::TWorker {
    std::unique_ptr<TAbstractDBConnection> connection;
    std::unique_ptr<TObjectCollection> collection;
    std::unique_ptr<TWorkFolder> folder;
    std::unique_ptr<TWorkerPageGeneration> generation;
    std::unique_ptr<TTemplates::TRun> run;
    TTransformerWorkFiles kept;
    std::unique_ptr<TPublishPageGenerator> generator;
    std::thread thread;

    ~TWorker()
    {
        Release();
        connection.reset();
    }

    // Frees all but the connection, which its factory must see closed on
    // the publisher's thread.
    void Release() noexcept
    {
        // The collection works with the generation's object context.
        generator.reset();
        collection.reset();
        run.reset();
        generation.reset();
        folder.reset();
    }
};

TPublishWorkers::TPublishWorkers(TCatalogData& data, TTolvex& root, TSharedServicesLock& lock,
                                 const std::vector<std::string>& languages,
                                 const TPublishPageGenerator::TOptions& options, std::size_t count)
{
    // The libraries' process-wide set-up is done once, before any thread uses them.
    xmlInitParser();
    xsltInit();
    TCatalogPageGeneration& pages = data.GetPageGeneration();
    TGenerationCatalog& catalog = data;
    for (std::size_t i = 0; i < count; ++i) {
        auto worker = std::make_unique<TWorker>();
        worker->connection = data.GetConnectionFactory().OpenSecondConnection();
        // A worker reads the pages' rows all over the catalog: with SQLite's
        // own 2 MB it read a few database pages from the file for every page.
        worker->connection->SetReadCacheSize(kReadCacheBytes);
        // A new empty folder for the worker's work files, apart from the preview folder.
        worker->folder = std::make_unique<TWorkFolder>();
        worker->generation = std::make_unique<TWorkerPageGeneration>(pages, catalog, root.ObjectContext(), lock,
                                                                     worker->folder->Path(), languages);
        worker->collection = std::make_unique<TObjectCollection>(worker->generation->ObjectContext());
        worker->collection->Open(options.CatalogCode, *worker->connection);
        worker->run = std::make_unique<TTemplates::TRun>(worker->generation->Templates());
        worker->generator = std::make_unique<TPublishPageGenerator>(*worker->generation, *worker->collection,
                                                                    *worker->connection, worker->kept, options);
        workers_.push_back(std::move(worker));
    }
}

TPublishWorkers::~TPublishWorkers()
{
    StopAndJoin();
    Release();
}

// What each worker built up during the run (the menus its pages share,
// its objects, its compiled style sheets) is freed on a thread of its own:
// one worker after another, freeing took about a tenth of a large run.
void TPublishWorkers::Release() noexcept
{
    std::vector<std::thread> threads;
    for (auto& worker : workers_) {
        TWorker* released = worker.get();
        try {
            threads.emplace_back([released] { released->Release(); });
        } catch (...) {
            released->Release();
        }
    }
    for (std::thread& thread : threads)
        thread.join();
    workers_.clear();
}

void TPublishWorkers::Start(const std::vector<TPublishPageTask>& tasks)
{
    tasks_ = &tasks;
    results_.assign(tasks.size(), TPublishPageResult());
    done_.assign(tasks.size(), 0);
    for (auto& worker : workers_)
        worker->thread = std::thread([this, &worker] { Run(*worker); });
}

void TPublishWorkers::Run(TWorker& worker)
{
    while (!stop_.load()) {
        const auto [first, count] = Claim();
        if (count == 0)
            return;
        const std::size_t end = first + count;
        for (std::size_t index = first; index < end && !stop_.load(); ++index) {
            TPublishPageResult result = worker.generator->Generate((*tasks_)[index], static_cast<long>(index), stop_);
            bool awaited = false;
            {
                std::lock_guard<std::mutex> guard(resultsMutex_);
                results_[index] = std::move(result);
                done_[index] = 1;
                awaited = index == awaited_;
            }
            // The publisher waits for one page at a time: only that one wakes it.
            if (awaited)
                resultReady_.notify_one();
        }
    }
}

// A worker takes the next run of consecutive tasks: pages next to each other
// share their menus, which each worker builds once and then copies, so runs
// spare the workers building the same menus again. Runs shrink towards the
// end so that the workers finish together.
std::pair<std::size_t, std::size_t> TPublishWorkers::Claim()
{
    const std::size_t size = tasks_->size();
    std::size_t first = next_.load();
    std::size_t count = 0;
    do {
        if (first >= size)
            return {size, 0};
        const std::size_t share = (size - first) / (4 * workers_.size());
        count = std::clamp<std::size_t>(share, 1, kMostTasksAtOnce);
    } while (!next_.compare_exchange_weak(first, first + count));
    return {first, count};
}

bool TPublishWorkers::Take(std::size_t index, TPublishPageResult& result, std::chrono::milliseconds wait)
{
    std::unique_lock<std::mutex> guard(resultsMutex_);
    awaited_ = index;
    const bool done = resultReady_.wait_for(guard, wait, [&] { return done_[index] != 0; });
    awaited_ = kNoneAwaited;
    if (!done)
        return false;
    result = std::move(results_[index]);
    results_[index] = TPublishPageResult();
    return true;
}

void TPublishWorkers::StopAndJoin()
{
    stop_ = true;
    for (auto& worker : workers_)
        if (worker->thread.joinable())
            worker->thread.join();
}

std::vector<std::size_t> TPublishWorkers::Finish(TTransformerWorkFiles& kept, const std::string& workDir,
                                                 std::size_t before)
{
    if (finished_)
        return {};
    finished_ = true;
    StopAndJoin();
    const long limit = tasks_ && before < tasks_->size() ? static_cast<long>(before) * TPublishPageGenerator::kSequencePerTask
                                               : std::numeric_limits<long>::max();
    // Each template work file comes from the worker that wrote it for the latest page.
    std::map<std::string, std::pair<long, const TWorker*>> latest;
    for (auto& worker : workers_) {
        worker->kept.ForgetFrom(limit);
        kept.Merge(std::move(worker->kept));
        for (const auto& [name, stamp] : worker->generation->Templates().WorkFileStamps()) {
            if (stamp >= limit)
                continue;
            auto& entry = latest[name];
            if (!entry.second || entry.first < stamp)
                entry = {stamp, worker.get()};
        }
        if (worker->connection->InTransaction())
            worker->connection->CommitTrans();
    }
    for (const auto& [name, source] : latest)
        fs::copy_file(source.second->folder->Path() + "/" + name, workDir + "/" + name, fs::copy_options::overwrite_existing);
    if (limit == std::numeric_limits<long>::max())
        return {};
    std::map<std::string, long> lastBefore;
    for (auto& worker : workers_)
        for (const auto& [name, stamp] : worker->generation->Templates().WorkFileStampsBefore(limit))
            lastBefore[name] = std::max(lastBefore[name], stamp);
    std::set<std::size_t> tasks;
    for (const auto& [name, stamp] : lastBefore)
        tasks.insert(static_cast<std::size_t>(stamp / TPublishPageGenerator::kSequencePerTask));
    return {tasks.begin(), tasks.end()};
}
