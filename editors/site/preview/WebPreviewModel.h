#pragma once
// What the in-editor web preview decides, without widgets: which page of
// the edited item it shows (language, page number, submitted query, role),
// the preview address of that page, the history walk, and what becomes of a
// link followed inside the preview: a page of the edited item regenerates
// in place, a page of another item opens that item through an action
// string, a file of the preview host (a picture, a binary object) loads as
// it is, and anything else is refused with "Cannot follow the link in
// preview mode".
#include <functional>
#include <string>
#include <utility>
#include <vector>

class TCommonGui;
class TPreviewHistory;

class TWebPreviewModel {
public:
    // What the preview reads of the open catalog and the editor around it.
    struct TServices {
        TCommonGui* Gui = nullptr;
        TPreviewHistory* History = nullptr;
        std::string PreviewHost;     // "tolvex://preview"
        int TreeItemId = 0;          // the item in the editor
        int ItemId = 0;              // the data item it shows
        // Generates the edited item's page from the editor's unsaved data;
        // Text is the page, or the error text on failure.
        std::function<bool(const std::string& lang, int pageNo, const std::string& query,
                           const std::string& role, std::string& text)>
            Generate;
        // Puts a page into the catalog's page cache.
        std::function<void(int itemId, int pageNo, const std::string& html, const std::string& lang)> PutPage;
        // The file name of the edited item's page Page ("index.html",
        // "12-2.html"). "index" only for the home page's first page: the
        // preview host reads no page number after "index".
        std::function<std::string(int pageNo)> PageFileName;
        std::function<std::string()> ItemTitle;
        std::function<std::string()> CurrentLang;
        std::function<int()> HomePageId;
        std::function<bool(int itemId)> ItemExists;
        std::function<int(const std::string& name)> FindItemByAltFileName;
        // The program's action queue ("Action=MainPageEditor&ItemId=...").
        std::function<void(const std::string& action, bool check)> QueueAction;
    };

    // The roles a page may be generated for (caption, value).
    static const std::vector<std::pair<std::string, std::string>>& Roles();
    // The item id the failure text of a generation is cached under.
    static constexpr int kErrorPageId = 13;

    explicit TWebPreviewModel(TServices services);

    // Takes "QueryStr" from the action string that opened the editor. A
    // malformed escape raises the URL decoder's error.
    void InitFromActionString(const std::string& actionString);

    bool PreviewOn() const { return previewOn_; }
    void SetPreviewOn(bool on) { previewOn_ = on; }
    // The role pages are generated for; only when ShowRole (the in-house mode).
    void SetRole(const std::string& value, bool showRole);
    int PageNo() const { return pageNo_; }
    const std::string& Query() const { return query_; }

    // Generates the page in Lang; Address is what to show: the page's
    // address, or empty with the preview off. On failure the error text is
    // cached and Address is the error page; false then.
    bool GeneratePreview(const std::string& lang, std::string& address);
    // The address of the edited item's current page in Lang.
    std::string PageAddress(const std::string& lang) const;
    // The failure text of the last generation that failed.
    const std::string& LastError() const { return lastError_; }
    std::string ErrorAddress() const { return services_.PreviewHost + "/" + std::to_string(kErrorPageId) + ".html"; }

    // Before the view loads Url (Current: what it shows now): whether it
    // may. May regenerate the page, queue an action, or show the error.
    bool BeforeNavigate(const std::string& url, const std::string& current);

    bool CanGoBack() const;
    bool CanGoForward() const;
    // The address of the entry reached; empty when there is none.
    std::string Move(int step, bool relative);
    // The entries before and after the current one: (position, caption).
    std::vector<std::pair<int, std::string>> BackList() const;
    std::vector<std::pair<int, std::string>> ForwardList() const;

private:
    bool Generate(const std::string& lang);
    void Refuse();

    TServices services_;
    int pageNo_ = 0;
    std::string query_;
    std::string role_;
    std::string lastError_;
    bool previewOn_ = true;
};
