// The template preview's choices and its links, over recorded services: the
// page a master or body template is shown on, its style from the master
// template's objects, and which links inside the preview work.
#include "editors/media/templates/preview/TemplatePreviewModel.h"

#include "common/WellKnownIds.h"

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr int kHome = 100001;
constexpr int kMaster = 700;
constexpr int kBody = 800;
constexpr int kBodyFolder = 80;

struct TRecorder {
    std::vector<std::string> actions;
    std::vector<std::string> errors;
    std::vector<std::pair<int, int>> generated;  // page item, page number
    bool fails = false;
};

TTemplatePreviewModel::TServices Services(int itemType, int treeItemId, TRecorder& r)
{
    TTemplatePreviewModel::TServices s;
    s.PreviewHost = "tolvex://preview";
    s.ItemType = itemType;
    s.TreeItemId = treeItemId;
    s.ParentItemId = kBodyFolder;
    s.HomePageId = [] { return kHome; };
    s.ItemTypesUsingBodyFolder = [](int folder) { return folder == kBodyFolder ? std::vector<int>{4001, 4002} : std::vector<int>{}; };
    s.ItemOfType = [](int type) { return type == 4002 ? 5000 : 0; };
    s.ItemTypeOf = [](int item) { return item == kHome ? 3 : item == 5000 ? 4002 : 0; };
    s.DefaultTemplate = [](int type, int kind) { return kind == 0 ? 1000 + type : 2000 + type; };
    s.StyleOf = [](int master, int& color, int& font, int& background) {
        color = master + 1;
        font = master + 2;
        background = master + 3;
    };
    s.Generate = [&r](const TTemplatePreviewModel::TChoice& choice, int pageNo, const std::string&, std::string& text) {
        r.generated.emplace_back(choice.PageItem, pageNo);
        text = r.fails ? "Cannot load templates" : "<html/>";
        return !r.fails;
    };
    s.PutPage = [](int, int, const std::string&, const std::string&) {};
    s.PageFileName = [treeItemId](int pageNo) {
        return std::to_string(treeItemId) + (pageNo > 1 ? "-" + std::to_string(pageNo) : "") + ".html";
    };
    s.CurrentLang = [] { return std::string("EN"); };
    // Addresses of the form tolvex://preview/<lang>/<id>[-<page>].html.
    s.ParseUrl = [](const std::string& url) {
        TTemplatePreviewModel::TAddress a;
        const std::string host = "tolvex://preview/";
        a.CleanUrl = url.substr(0, url.find_first_of("#?"));
        if (url.compare(0, host.size(), host) != 0)
            return a;
        a.PreviewHost = true;
        const std::string rest = a.CleanUrl.substr(host.size());
        a.Lang = rest.substr(0, rest.find('/'));
        a.FileName = rest.substr(rest.find('/') + 1);
        const std::string base = a.FileName.substr(0, a.FileName.find('.'));
        const std::size_t dash = base.find('-');
        a.ItemId = std::atoi(base.substr(0, dash).c_str());
        a.PageNo = dash == std::string::npos ? 0 : std::atoi(base.substr(dash + 1).c_str());
        return a;
    };
    s.QueueAction = [&r](const std::string& action) { r.actions.push_back(action); };
    s.ShowError = [&r](const std::string& message) { r.errors.push_back(message); };
    return s;
}

TEST(TemplatePreviewModel, AMasterShowsOnTheHomePageABodyOnTheFirstItemOfATypeUsingItsFolder)
{
    TRecorder r;
    EXPECT_EQ(TTemplatePreviewModel(Services(kMasterTemplateType, kMaster, r)).Choose(),
              (TTemplatePreviewModel::TChoice{kHome, 3, kMaster, 2003, kMaster + 1, kMaster + 2, kMaster + 3}));
    // 4001 has no item: the first type with one is taken.
    EXPECT_EQ(TTemplatePreviewModel(Services(kBodyTemplateType, kBody, r)).Choose(),
              (TTemplatePreviewModel::TChoice{5000, 4002, 5002, kBody, 5003, 5004, 5005}));
    EXPECT_EQ(TTemplatePreviewModel(Services(504, 900, r)).Choose(),
              (TTemplatePreviewModel::TChoice{0, 0, 1000, 2000, 1001, 1002, 1003}));
}

TEST(TemplatePreviewModel, PageAndLanguageLinksWorkAndEveryOtherLinkIsRefused)
{
    TRecorder r;
    TTemplatePreviewModel model(Services(kBodyTemplateType, kBody, r));
    const std::string shown = model.GeneratePreview("EN");
    EXPECT_EQ(shown, "tolvex://preview/EN/800.html");

    // The second page of the previewed page is generated and shown.
    TTemplatePreviewModel::TFollow follow = model.BeforeNavigate("tolvex://preview/EN/5000-2.html", shown);
    EXPECT_FALSE(follow.Refused);
    EXPECT_EQ(follow.Load, "tolvex://preview/EN/800-2.html");
    EXPECT_EQ(model.PageNo(), 2);
    EXPECT_EQ(r.generated.back(), std::make_pair(5000, 2));

    // The page in another language switches the editor's language.
    follow = model.BeforeNavigate("tolvex://preview/DE/800-2.html", follow.Load);
    EXPECT_FALSE(follow.Refused);
    EXPECT_EQ(follow.Load, "");
    EXPECT_EQ(r.actions, std::vector<std::string>{"Action=ChangeLang&LangCode=DE"});

    // A place in the page shown stays; another page and the web are refused.
    EXPECT_EQ(model.BeforeNavigate("tolvex://preview/EN/800-2.html#top", "tolvex://preview/EN/800-2.html").Load,
              "tolvex://preview/EN/800-2.html#top");
    EXPECT_EQ(model.BeforeNavigate("about:blank", shown).Load, "about:blank");
    for (const char* url : {"tolvex://preview/EN/100001.html", "http://example.test/", "tolvex://preview/EN/12.jpeg"}) {
        follow = model.BeforeNavigate(url, shown);
        EXPECT_TRUE(follow.Refused) << url;
        EXPECT_EQ(follow.Load, "") << url;
    }
    EXPECT_EQ(r.errors, std::vector<std::string>(3, "Cannot follow the link in template preview mode"));
}

TEST(TemplatePreviewModel, AFailedGenerationShowsTheErrorPage)
{
    TRecorder r;
    r.fails = true;
    TTemplatePreviewModel model(Services(kMasterTemplateType, kMaster, r));
    EXPECT_EQ(model.GeneratePreview("EN"), "tolvex://preview/EN/13.html");
    EXPECT_EQ(model.LastError(), "Cannot load templates");
}

}  // namespace
