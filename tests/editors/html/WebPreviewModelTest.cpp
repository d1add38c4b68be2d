// The in-editor preview's decisions without a view: which links regenerate
// the edited item's page in place (another page number, language or query),
// which open another item through an action string, which load as they are,
// and which are refused; the page address, the failure page, the opening
// query and the role.
#include "catalog/PreviewHistory.h"
#include "editors/site/preview/WebPreviewModel.h"
#include "support/ScriptedGui.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

constexpr int kEdited = 500;    // the tree item in the editor
constexpr int kLinked = 600;    // the data item it shows
constexpr int kHome = 100;

class WebPreviewModelTest : public ::testing::Test {
protected:
    std::unique_ptr<TWebPreviewModel> Make()
    {
        TWebPreviewModel::TServices services;
        services.Gui = &gui;
        services.History = &history;
        services.PreviewHost = "tolvex://preview";
        services.TreeItemId = kEdited;
        services.ItemId = kLinked;
        services.Generate = [this](const std::string& lang, int pageNo, const std::string& query,
                                   const std::string& role, std::string& text) {
            generated.push_back(lang + "/" + std::to_string(pageNo) + "/" + query + "/" + role);
            text = fail ? "Template error" : "<html>page</html>";
            return !fail;
        };
        services.PutPage = [this](int id, int pageNo, const std::string& html, const std::string& lang) {
            cached[std::to_string(id) + "/" + std::to_string(pageNo) + "/" + lang] = html;
        };
        services.PageFileName = [](int pageNo) {
            return std::to_string(kEdited) + (pageNo > 1 ? "-" + std::to_string(pageNo) : "") + ".html";
        };
        services.ItemTitle = [] { return std::string("Summer offer"); };
        services.CurrentLang = [] { return std::string("EN"); };
        services.HomePageId = [] { return kHome; };
        services.ItemExists = [](int id) { return std::set<int>{12, kHome, kEdited}.count(id) > 0; };
        services.FindItemByAltFileName = [](const std::string& name) {
            return name == "about-us" ? 12 : name == "summer" ? kLinked : 0;
        };
        services.QueueAction = [this](const std::string& action, bool check) {
            actions.push_back(action + (check ? " (checked)" : ""));
        };
        return std::make_unique<TWebPreviewModel>(services);
    }

    TScriptedGui gui;
    TPreviewHistory history;
    std::vector<std::string> generated;
    std::map<std::string, std::string> cached;
    std::vector<std::string> actions;
    bool fail = false;
};

TEST_F(WebPreviewModelTest, LinksInsideThePreview)
{
    const std::string page = "tolvex://preview/EN/500.html";
    struct Case {
        const char* why;
        std::string url;
        std::string current;
        bool allowed;
        const char* generated;  // "" for none
        const char* action;     // "" for none
        bool refused;
    };
    const Case cases[] = {
        {"a blank page", "about:blank", page, true, "", "", false},
        {"a place in the page shown", page + "#top", page, true, "", "", false},
        {"the page shown with its own query: the view reloads it", page + "?", page, true, "", "", false},
        {"a form sent to the page shown regenerates with its query", page + "?a=1", page, true, "EN/0/a=1/", "",
         false},
        {"another page number regenerates", "tolvex://preview/EN/500-2.html", page, true, "EN/2//", "", false},
        {"another language regenerates and switches the program's",
         "tolvex://preview/DE/500.html", page, true, "DE/0//", "Action=ChangeLang&LangCode=DE", false},
        {"a new query regenerates", page + "?q=red+shoes", "tolvex://preview/EN/12.html", true, "EN/0/q=red+shoes/",
         "", false},
        {"the same page by the shown item's own file name", "tolvex://preview/EN/summer.html", page, true, "", "",
         false},
        {"index names the home page", "tolvex://preview/EN/index.html", page, false, "",
         "Action=MainPageEditor&ItemId=100&PageNum=0&QueryStr=&Check=yes (checked)", false},
        {"so does myindex.html", "tolvex://preview/EN/myindex.jsp", page, false, "",
         "Action=MainPageEditor&ItemId=100&PageNum=0&QueryStr=&Check=yes (checked)", false},
        {"indexes.html is a name of its own", "tolvex://preview/EN/indexes.html", page, false, "", "", true},
        {"another item's page with its number and query", "tolvex://preview/EN/12-3.html?x=a b&y=%", page, false,
         "", "Action=MainPageEditor&ItemId=12&PageNum=3&QueryStr=x%3da+b%26y%3d%25&Check=yes (checked)", false},
        {"an alternative file name with a dash", "tolvex://preview/EN/about-us.html", page, false, "",
         "Action=MainPageEditor&ItemId=12&PageNum=0&QueryStr=&Check=yes (checked)", false},
        {"a picture loads as it is", "tolvex://preview/images/55.gif", page, true, "", "", false},
        {"another site", "http://example.com/index.html", page, false, "", "", true},
        {"no item of the catalog", "tolvex://preview/EN/999.html", page, false, "", "", true},
        {"a malformed escape", "tolvex://preview/EN/%zz.html", page, false, "", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        generated.clear();
        actions.clear();
        const std::size_t errors = gui.Shown().size();
        auto model = Make();
        EXPECT_EQ(model->BeforeNavigate(c.url, c.current), c.allowed);
        EXPECT_EQ(generated.empty() ? std::string() : generated.front(), c.generated);
        EXPECT_EQ(actions.empty() ? std::string() : actions.front(), c.action);
        EXPECT_EQ(gui.Shown().size() > errors, c.refused);
        if (c.refused) {
            EXPECT_EQ(gui.Shown().back().message, "Cannot follow the link in preview mode");
        }
    }
}

TEST_F(WebPreviewModelTest, GeneratesTheEditedPageOrItsFailure)
{
    auto model = Make();
    model->InitFromActionString("Action=MainPageEditor&ItemId=500&QueryStr=colour%3dred%26size%3d4+2&Check=yes");
    EXPECT_EQ(model->Query(), "colour=red&size=4 2");
    model->SetRole("wholesale", false);
    std::string address;
    EXPECT_TRUE(model->GeneratePreview("EN", address));
    EXPECT_EQ(address, "tolvex://preview/EN/500.html?colour=red&size=4 2");
    EXPECT_EQ(generated.back(), "EN/0/colour=red&size=4 2/") << "no role outside the in-house mode";
    EXPECT_EQ(cached["500/0/EN"], "<html>page</html>");
    EXPECT_EQ(history.Entry(history.Position()).Title, "Summer offer");

    model->SetRole("wholesale", true);
    fail = true;
    EXPECT_FALSE(model->GeneratePreview("EN", address));
    EXPECT_EQ(generated.back(), "EN/0/colour=red&size=4 2/wholesale");
    EXPECT_EQ(address, "tolvex://preview/13.html");
    EXPECT_EQ(cached["13/0/EN"], "Template error");
    EXPECT_TRUE(gui.Shown().empty()) << "a failure is a page, never a message box";

    model->SetPreviewOn(false);
    generated.clear();
    EXPECT_TRUE(model->GeneratePreview("EN", address));
    EXPECT_EQ(address, "");
    EXPECT_TRUE(generated.empty());
    EXPECT_THROW(model->InitFromActionString("QueryStr=%g1"), std::exception);
}

TEST_F(WebPreviewModelTest, HistoryWalksThePagesShown)
{
    auto model = Make();
    std::string address;
    model->GeneratePreview("EN", address);
    EXPECT_FALSE(model->CanGoBack());
    ASSERT_TRUE(model->BeforeNavigate("tolvex://preview/EN/500-2.html", address));
    EXPECT_TRUE(model->CanGoBack());
    EXPECT_FALSE(model->CanGoForward());
    ASSERT_EQ(model->BackList().size(), 1u);
    EXPECT_EQ(model->BackList().front().second, "Summer offer");
    EXPECT_EQ(model->Move(-1, true), "tolvex://preview/EN/500.html");
    EXPECT_TRUE(model->CanGoForward());
    EXPECT_EQ(model->ForwardList().size(), 1u);
    model->SetPreviewOn(false);
    EXPECT_FALSE(model->CanGoForward()) << "no history while the preview is off";
}

}  // namespace
