#include "publishing/PublishPageGenerator.h"

#include "common/Exceptions.h"
#include "generation/Transformer.h"
#include "generation/TransformerWorkFiles.h"
#include "storage/ObjectCollection.h"
#include "storage/ReadSnapshotScope.h"

#include <algorithm>
#include <cctype>

namespace {

// Output kinds by the flag word of the item type: the server-side kinds, in their order.
const std::pair<int, const char*> kServerSideKinds[] = {{0x02, "jsp"}, {0x04, "php"}, {0x08, "asp"}, {0x10, "shtml"}};
constexpr int kHtmlFlag = 0x01;
constexpr int kPdfFlag = 0x80;

}  // namespace

std::vector<int> LinkedPageNumbers(const std::string& html, int itemId)
{
    std::vector<int> numbers;
    const std::string needle = std::to_string(itemId) + "-";
    for (std::size_t at = html.find(needle, 1); at != std::string::npos; at = html.find(needle, at + 1)) {
        if (std::isdigit(static_cast<unsigned char>(html[at - 1])))
            continue;
        std::size_t digits = at + needle.size();
        std::size_t end = digits;
        while (end < html.size() && std::isdigit(static_cast<unsigned char>(html[end])))
            ++end;
        if (end == digits || html.size() - end < 5)
            continue;
        std::string suffix = html.substr(end, 5);
        std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (suffix != ".html")
            continue;
        // Numbers past the page limit are as good as none: cap the text.
        const std::string text = html.substr(digits, std::min<std::size_t>(end - digits, 9));
        const int number = end - digits > 9 ? TPublishPageGenerator::kMaxPagesPerItem + 1 : std::stoi(text);
        if (number != 0)
            numbers.push_back(number);
    }
    return numbers;
}

// The run log of the generation: a stop asked for by another thread marks
// the log cancelled (the page generation asks the log between its steps).
// Its lines, a trace of the items each page reads ("Object item id 12"),
// are for the program's developers and stay out of the run's log.
class TPublishPageGenerator::TCapture : public TLogSink {
public:
    explicit TCapture(TPublishPageGenerator& owner) : owner_(owner) {}
    void AppendLine(const std::string&) override {}
    void ProcessMessages() override
    {
        if (owner_.stop_ && owner_.stop_->load())
            owner_.log_.SetCancelled(true);
    }

private:
    TPublishPageGenerator& owner_;
};

TPublishPageGenerator::TPublishPageGenerator(TTransformerCatalog& catalog, TObjectCollection& collection,
                                             TAbstractDBConnection& connection, TTransformerWorkFiles& workFiles,
                                             TOptions options)
    : catalog_(catalog), collection_(collection), connection_(connection), workFiles_(workFiles),
      options_(std::move(options)), capture_(std::make_shared<TCapture>(*this))
{
    log_.SetOutput(capture_);
}

TPublishPageGenerator::~TPublishPageGenerator() = default;

void TPublishPageGenerator::Add(TPublishPageEvent::TKind kind, std::string text, int pageNumber,
                                const std::string& extension)
{
    if (result_)
        result_->Events.push_back(TPublishPageEvent{kind, std::move(text), pageNumber, extension, false, {}});
}

TPublishPageResult TPublishPageGenerator::Generate(const TPublishPageTask& task, long taskIndex,
                                                   const std::atomic<bool>& stop)
{
    TPublishPageResult result;
    result_ = &result;
    stop_ = &stop;
    sequence_ = taskIndex * kSequencePerTask;
    log_.SetCancelled(stop.load());
    try {
        // The pages' reads see the catalog as it was when they began.
        const TReadSnapshotScope snapshot(connection_);
        // The page numbers met so far, in order, and whether each was generated.
        std::vector<std::pair<int, bool>> pages{{1, false}};
        while (!stop.load()) {
            auto next = std::find_if(pages.begin(), pages.end(), [](const auto& page) { return !page.second; });
            if (next == pages.end())
                break;
            const int number = next->first;
            next->second = true;
            if (number != 1)
                Add(TPublishPageEvent::TKind::FurtherPage, "", number);
            if (task.Flags & kHtmlFlag)
                GenerateKind(task, number, "html", pages);
            else if (task.Flags & kPdfFlag)
                Add(TPublishPageEvent::TKind::Pdf, "");
            if (options_.MakeServerSideScripts)
                for (const auto& [flag, extension] : kServerSideKinds)
                    if ((task.Flags & flag) && !stop.load())
                        GenerateKind(task, number, extension, pages);
        }
    } catch (...) {
        result.Error = std::current_exception();
    }
    result_ = nullptr;
    stop_ = nullptr;
    return result;
}

void TPublishPageGenerator::GenerateKind(const TPublishPageTask& task, int pageNumber, const std::string& extension,
                                         std::vector<std::pair<int, bool>>& pages)
{
    TTransformer transformer(catalog_, options_.CatalogCode, &log_);
    transformer.SetOutputKind(true, extension);
    transformer.SetPublishMode(options_.PublishKind);
    transformer.SetPageNumber(pageNumber);
    transformer.KeepWorkFiles(workFiles_, ++sequence_);
    bool generated = false;
    std::string reason;
    try {
        generated = transformer.GeneratePage(task.LinkedItemId, task.ItemId, task.ItemType, task.Lang, collection_,
                                             connection_, "");
        if (!generated)
            reason = transformer.GetErrorText();
    } catch (const ETolvexException& error) {
        reason = error.what();
    }
    if (log_.IsCancelled())
        return;
    if (!generated) {
        Add(TPublishPageEvent::TKind::Failed, reason, pageNumber, extension);
        return;
    }
    std::string html = transformer.GetResultHtml();
    for (int number : LinkedPageNumbers(html, task.ItemId)) {
        auto known = std::find_if(pages.begin(), pages.end(), [number](const auto& page) { return page.first == number; });
        if (known != pages.end())
            continue;
        if (number > kMaxPagesPerItem) {
            Add(TPublishPageEvent::TKind::Beyond, "", number);
            pages.emplace_back(number, true);
            continue;
        }
        pages.emplace_back(number, false);
    }
    Add(TPublishPageEvent::TKind::Page, std::move(html), pageNumber, extension);
    if (options_.PageNames && result_) {
        TPublishPageEvent& page = result_->Events.back();
        page.Names = options_.PageNames(task, pageNumber, extension, connection_);
        page.HasNames = true;
    }
}
