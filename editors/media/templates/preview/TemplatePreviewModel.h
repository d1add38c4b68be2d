#pragma once
// What the preview of a master or body template decides, without widgets.
// A template cannot be shown alone, so the preview generates a real page of
// the catalog with it: a master template is shown on the home page with the
// home page's default body template; a body template on the first item of
// a type whose body templates live in the template's folder, with that
// type's default master template. The style (colour and font style sheets,
// background) is the chosen master template's, read from the editor's
// objects, so that unsaved changes show.
//
// Links inside the preview: another page of the previewed page (a page
// link of a paged body template) is generated and shown, a link to the
// page in another language switches the editor's language (which makes the
// preview again), and every other navigation is refused with "Cannot follow
// the link in template preview mode".
#include <functional>
#include <string>
#include <vector>

class TTemplatePreviewModel {
public:
    static constexpr int kErrorPageId = 13;

    // The page, templates and style of one preview.
    struct TChoice {
        int PageItem = 0;
        int PageType = 0;
        int Master = 0;
        int Body = 0;
        int ColorScheme = 0;
        int FontScheme = 0;
        int Background = 0;
        bool operator==(const TChoice&) const = default;
    };

    // A preview address taken apart (the catalog's preview address parser).
    struct TAddress {
        bool PreviewHost = false;
        std::string CleanUrl;  // without query and fragment
        std::string Lang;      // the language folder
        std::string FileName;
        int ItemId = 0;
        int PageNo = 0;
    };

    struct TServices {
        std::string PreviewHost;  // "tolvex://preview"
        int ItemType = 0;         // the edited template's
        int TreeItemId = 0;
        int ParentItemId = 0;     // its folder
        std::function<int()> HomePageId;
        // The item types whose body-template folder is Folder, in the definition's order.
        std::function<std::vector<int>(int folder)> ItemTypesUsingBodyFolder;
        // An item of the type; 0 when there is none.
        std::function<int(int itemType)> ItemOfType;
        std::function<int(int itemId)> ItemTypeOf;
        // The default template of the kind (0 master, 1 body) of the item type.
        std::function<int(int itemType, int kind)> DefaultTemplate;
        // The master template's style from the editor's objects; zeros without one.
        std::function<void(int master, int& color, int& font, int& background)> StyleOf;
        // Generates the page; Text is the page, or the error text.
        std::function<bool(const TChoice& choice, int pageNo, const std::string& lang, std::string& text)> Generate;
        std::function<void(int itemId, int pageNo, const std::string& html, const std::string& lang)> PutPage;
        // The file name of the edited template's page PageNo.
        std::function<std::string(int pageNo)> PageFileName;
        std::function<std::string()> CurrentLang;
        std::function<TAddress(const std::string& url)> ParseUrl;
        std::function<void(const std::string& action)> QueueAction;
        std::function<void(const std::string& message)> ShowError;
    };

    explicit TTemplatePreviewModel(TServices services);

    TChoice Choose() const;
    int PageNo() const { return pageNo_; }
    // Generates the preview in Lang; answers the address to show (the error
    // page when the generation failed).
    std::string GeneratePreview(const std::string& lang);
    const std::string& LastError() const { return lastError_; }

    // What to do with a link followed inside the preview (Current: what
    // the view shows).
    struct TFollow {
        bool Refused = false;
        std::string Load;  // the address to load; empty: stay
    };
    TFollow BeforeNavigate(const std::string& url, const std::string& current);

private:
    TServices services_;
    int pageNo_ = 0;
    int lastPageItem_ = 0;
    std::string lastError_;
};
