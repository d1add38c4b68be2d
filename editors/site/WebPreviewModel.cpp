#include "editors/site/preview/WebPreviewModel.h"

#include "catalog/PreviewHistory.h"
#include "common/CommonGui.h"
#include "common/ParamList.h"
#include "generation/PreviewResolver.h"

namespace {

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// A whole number written with digits only; 0 for anything else.
int Number(const std::string& text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::stoi(text);
}

}  // namespace

const std::vector<std::pair<std::string, std::string>>& TWebPreviewModel::Roles()
{
    static const std::vector<std::pair<std::string, std::string>> roles = {
        {"Visitor", "visitor"},
        {"Wholesale Buyer", "wholesale"},
        {"Approved Wholesale Buyers", "approvedwholesale"},
        {"Product Catalog Owner", "productcatalogowner"},
        {"CoC Catalog Owner", "cocowner"},
        {"Hotel Catalog Owner", "hotelowner"},
        {"ZOZ Hotel Catalog Owner", "vbhhotelowner"},
        {"Tolvex Catalog Owner", "tolvexowner"},
        {"VIDO Restaurant Catalog Owner", "lhrarestaurantowner"},
        {"VIDO Hotel Catalog Owner", "lhrahotelowner"},
    };
    return roles;
}

TWebPreviewModel::TWebPreviewModel(TServices services) : services_(std::move(services)) {}

void TWebPreviewModel::InitFromActionString(const std::string& actionString)
{
    if (!Contains(actionString, "QueryStr="))
        return;
    for (const std::string& field : TParamList::SplitFields(actionString, '&', false))
        if (TParamList::NameOf(field) == "QueryStr")
            query_ = TParamList::UrlDecode(TParamList::ValueOf(field));
}

void TWebPreviewModel::SetRole(const std::string& value, bool showRole) { role_ = showRole ? value : std::string(); }

std::string TWebPreviewModel::PageAddress(const std::string& lang) const
{
    return services_.PreviewHost + "/" + lang + "/" + services_.PageFileName(pageNo_) +
           (query_.empty() ? "" : "?" + query_);
}

bool TWebPreviewModel::Generate(const std::string& lang)
{
    std::string text;
    if (!services_.Generate(lang, pageNo_, query_, role_, text)) {
        services_.PutPage(kErrorPageId, pageNo_, text, lang);
        lastError_ = text;
        return false;
    }
    services_.PutPage(services_.TreeItemId, pageNo_, text, lang);
    services_.History->AddPreviewHistoryEntry(services_.TreeItemId, lang, services_.ItemTitle(), PageAddress(lang),
                                              pageNo_);
    return true;
}

bool TWebPreviewModel::GeneratePreview(const std::string& lang, std::string& address)
{
    address.clear();
    if (!previewOn_)
        return true;
    const bool ok = Generate(lang);
    address = ok ? PageAddress(lang) : ErrorAddress();
    return ok;
}

void TWebPreviewModel::Refuse() { services_.Gui->ShowError("Cannot follow the link in preview mode"); }

bool TWebPreviewModel::BeforeNavigate(const std::string& url, const std::string& current)
{
    if (url == "about:blank")
        return true;
    std::string address = url;
    // A place inside the page shown.
    const std::size_t hash = address.rfind('#');
    if (hash != std::string::npos) {
        address.erase(hash);
        if (address == current) {
            services_.History->AddPreviewHistoryEntry(0, "", "", url, 0);
            return true;
        }
    }
    std::string query;
    const std::size_t question = address.rfind('?');
    if (question != std::string::npos) {
        query = address.substr(question + 1);
        address.erase(question);
        // The page shown with the query it was made for: the view reloads
        // it. A new query is the item's own page made again, below.
        if (address == current && query == query_)
            return true;
    }
    const std::string host = services_.PreviewHost + "/";
    if (address.compare(0, host.size(), host) != 0) {
        Refuse();
        return false;
    }
    const std::size_t slash = address.find_last_of("/\\");
    std::string file;
    try {
        file = TParamList::UrlDecode(address.substr(slash + 1));
    } catch (const std::exception&) {
        Refuse();
        return false;
    }
    const std::string folder = address.substr(0, slash);
    const std::string lang = folder.substr(folder.find_last_of("/\\") + 1);
    const std::size_t dot = file.rfind('.');
    const std::string extension = dot == std::string::npos ? std::string() : file.substr(dot);
    if (!TPreviewResolver::IsPageExtension(extension)) {
        // A picture or a binary object: the view loads it as it is.
        services_.History->AddPreviewHistoryEntry(0, "", file, url, 0);
        return true;
    }

    // The item and page a page name stands for, by the rules the preview
    // host serves pages by: "index" names the home page, "-" and a number at
    // the end a page of the item before it, anything else an item id or an
    // alternative file name.
    const std::string base = file.substr(0, dot);
    int page = 0;
    int id = 0;
    const auto find = [this](const std::string& name) {
        const int number = Number(name);
        if (number != 0 && services_.ItemExists(number))
            return number;
        const int found = services_.FindItemByAltFileName(name);
        return found != 0 && found == services_.ItemId ? services_.TreeItemId : found;
    };
    if (Contains(file, "index") && (Contains(file, "index.") || Contains(file, "index-"))) {
        id = find(std::to_string(services_.HomePageId()));
    } else {
        const std::size_t dash = base.rfind('-');
        if (dash != std::string::npos && dash > 0 && Number(base.substr(dash + 1)) != 0 &&
            (id = find(base.substr(0, dash))) != 0)
            page = Number(base.substr(dash + 1));
        else
            id = find(base);
    }
    if (id == 0) {
        Refuse();
        return false;
    }
    if (id != services_.TreeItemId) {
        services_.QueueAction("Action=MainPageEditor&ItemId=" + std::to_string(id) + "&PageNum=" +
                                  std::to_string(page) + "&QueryStr=" + TParamList::UrlEncode(query, true) +
                                  "&Check=yes",
                              true);
        return false;
    }
    const std::string currentLang = services_.CurrentLang();
    if (lang != currentLang) {
        Generate(lang);
        services_.QueueAction("Action=ChangeLang&LangCode=" + lang, false);
    } else if (page != pageNo_) {
        pageNo_ = page;
        Generate(currentLang);
    } else if (query != query_) {
        query_ = query;
        Generate(currentLang);
    }
    services_.History->AddPreviewHistoryEntry(0, "", "", url, 0);
    return true;
}

bool TWebPreviewModel::CanGoBack() const { return previewOn_ && services_.History->CanPreviewGoBack(); }

bool TWebPreviewModel::CanGoForward() const { return previewOn_ && services_.History->CanPreviewGoForward(); }

std::string TWebPreviewModel::Move(int step, bool relative)
{
    std::string address;
    services_.History->MovePreviewHistory(step, relative, address);
    return address;
}

namespace {

std::vector<std::pair<int, std::string>> Entries(const std::vector<std::string>& lines)
{
    std::vector<std::pair<int, std::string>> entries;
    for (const std::string& line : lines)
        entries.emplace_back(Number(TParamList::NameOf(line)), TParamList::ValueOf(line));
    return entries;
}

}  // namespace

std::vector<std::pair<int, std::string>> TWebPreviewModel::BackList() const
{
    std::vector<std::string> lines;
    services_.History->GetPreviewBackList(lines);
    return Entries(lines);
}

std::vector<std::pair<int, std::string>> TWebPreviewModel::ForwardList() const
{
    std::vector<std::string> lines;
    services_.History->GetPreviewForwardList(lines);
    return Entries(lines);
}
