#include "editors/media/templates/preview/TemplatePreviewModel.h"

#include "common/WellKnownIds.h"

#include <utility>

namespace {

constexpr int kMasterKind = 0;
constexpr int kBodyKind = 1;

}  // namespace

TTemplatePreviewModel::TTemplatePreviewModel(TServices services) : services_(std::move(services)) {}

TTemplatePreviewModel::TChoice TTemplatePreviewModel::Choose() const
{
    TChoice choice;
    if (services_.ItemType == kMasterTemplateType) {
        choice.PageItem = services_.HomePageId();
        choice.PageType = choice.PageItem != 0 ? services_.ItemTypeOf(choice.PageItem) : 0;
        choice.Master = services_.TreeItemId;
        choice.Body = services_.DefaultTemplate(choice.PageType, kBodyKind);
    } else if (services_.ItemType == kBodyTemplateType) {
        for (int type : services_.ItemTypesUsingBodyFolder(services_.ParentItemId)) {
            choice.PageItem = services_.ItemOfType(type);
            if (choice.PageItem != 0)
                break;
        }
        choice.PageType = choice.PageItem != 0 ? services_.ItemTypeOf(choice.PageItem) : 0;
        choice.Master = services_.DefaultTemplate(choice.PageType, kMasterKind);
        choice.Body = services_.TreeItemId;
    } else {
        choice.Master = services_.DefaultTemplate(0, kMasterKind);
        choice.Body = services_.DefaultTemplate(0, kBodyKind);
    }
    if (choice.Master != 0)
        services_.StyleOf(choice.Master, choice.ColorScheme, choice.FontScheme, choice.Background);
    return choice;
}

std::string TTemplatePreviewModel::GeneratePreview(const std::string& lang)
{
    const TChoice choice = Choose();
    lastPageItem_ = choice.PageItem;
    std::string text;
    if (!services_.Generate(choice, pageNo_, lang, text)) {
        lastError_ = text;
        services_.PutPage(kErrorPageId, 0, text, lang);
        return services_.PreviewHost + "/" + lang + "/" + std::to_string(kErrorPageId) + ".html";
    }
    lastError_.clear();
    services_.PutPage(services_.TreeItemId, pageNo_, text, lang);
    return services_.PreviewHost + "/" + lang + "/" + services_.PageFileName(pageNo_);
}

TTemplatePreviewModel::TFollow TTemplatePreviewModel::BeforeNavigate(const std::string& url,
                                                                     const std::string& current)
{
    if (url == "about:blank")
        return {false, url};
    const TAddress address = services_.ParseUrl(url);
    // A place in the page shown, or the page itself again.
    if (!address.CleanUrl.empty() && address.CleanUrl == current.substr(0, current.find_last_of("#?")))
        return {false, url};
    const bool previewedPage =
        address.ItemId != 0 && (address.ItemId == services_.TreeItemId || address.ItemId == lastPageItem_);
    if (address.PreviewHost && previewedPage) {
        const std::string lang = services_.CurrentLang();
        if (!address.Lang.empty() && address.Lang != lang) {
            // The editor changes its language and makes the preview again.
            services_.QueueAction("Action=ChangeLang&LangCode=" + address.Lang);
            return {};
        }
        if (address.PageNo != pageNo_)
            pageNo_ = address.PageNo;
        return {false, GeneratePreview(lang)};
    }
    services_.ShowError("Cannot follow the link in template preview mode");
    return {true, {}};
}
