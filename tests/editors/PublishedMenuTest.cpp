// The published site of every shipped style, shown by Qt WebEngine as a
// desktop and as a phone (375 pixels wide) shows it: every page the menu
// offers on the desktop, sub-pages included, the phone's menu offers too
// (once its menu button is pressed, where there is one).
#include "PageScript.h"
#include "editors/QtTestApplication.h"
#include "generation/StyleFixture.h"

#include "catalog/Catalog.h"
#include "storage/IdRanges.h"
#include "publishing/PublishLocally.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"
#include "storage/TolvexObjectContext.h"
#include "support/TempFolder.h"

#include <QTest>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace {

constexpr int kInformationPage = 3001;
constexpr int kAboutUsPage = 100003;

struct TStyle {
    const char* name;
    int id;
};

class PublishedMenu : public ::testing::TestWithParam<TStyle> {};

// The addresses of the menu's links a visitor can see, after pressing the
// menu button when the page shows one.
std::set<std::string> VisibleMenuLinks(QWebEngineView& view, const QString& page, int width, const char* picture)
{
    view.resize(width, 900);
    view.show();
    bool loaded = false;
    QObject::connect(view.page(), &QWebEnginePage::loadFinished, &view, [&](bool) { loaded = true; },
                     Qt::SingleShotConnection);
    view.load(QUrl::fromLocalFile(page));
    EXPECT_TRUE(QTest::qWaitFor([&] { return loaded; }, 20000)) << "the page did not load";
    const QString links = EvaluateInPage(*view.page(), R"(
        (() => {
          const button = document.querySelector('nav.site-nav .menu-button');
          const toggle = document.getElementById('menu-toggle');
          if (button && button.getBoundingClientRect().width > 0 && toggle && !toggle.checked)
            button.click();
          return Array.from(document.querySelectorAll('nav.site-nav a'))
            .filter(a => { const r = a.getBoundingClientRect();
                           return r.width > 0 && r.height > 0 && getComputedStyle(a).visibility !== 'hidden'; })
            .map(a => a.getAttribute('href')).join(' ');
        })())").toString();
    QTest::qWait(100);
    SaveWidgetPicture(view, QString(picture));
    std::set<std::string> hrefs;
    std::istringstream words(links.toStdString());
    for (std::string href; words >> href;)
        hrefs.insert(href);
    return hrefs;
}

TEST_P(PublishedMenu, APhoneReachesEveryPageTheDesktopMenuOffers)
{
    EnsureQtApplication();
    // With the shipped site's few top-level pages the phone shows the menu
    // at once; with more, behind its button.
    for (const char* menu : {"short", "long"}) {
        SCOPED_TRACE(menu);
        TStyleProgram program{1};
        // A new catalog has the first style; choosing it again changes nothing.
        if (GetParam().id != 600901)
            program.ApplyStyle(GetParam().id);
        const std::string code = program.Code();
        const std::string lang = program.Data().GetDefaultLangCode();
        TCatalog& catalog = program.Root().Catalog();
        const int namesClass = program.Root().ObjectContext().GetClassId("CommonNames");
        const auto addPage = [&](int parent, const char* name) {
            const int id = catalog.CreateItem(kInformationPage, parent, 0, code, program.Connection(), 0);
            std::unique_ptr<TTolvexObject> names =
                catalog.GetObjectFactory().GetObjectTyped(id, namesClass, program.Connection(), code);
            if (names->GetInstanceId() == 0)
                names = catalog.GetObjectFactory().CreateObjectTyped(id, namesClass, 0, program.Connection(), code);
            names->SetLangString("ItemName", lang, name, 0);
            names->Save();
            return id;
        };
        std::vector<int> subPages;
        for (const char* name : {"Our Team", "History"})
            subPages.push_back(addPage(kAboutUsPage, name));
        if (std::string(menu) == "long")
            for (const char* name : {"News", "Jobs"})
                addPage(kWebTreeRootId, name);
        TTempFolder site;
        std::vector<std::string> params{"Path=" + site.Path(), "LangCode=" + lang, "IndexFileName=index.html"};
        TPublishLocally publish(params, program.Connection(),
                                TPublisherEnvironment{program.fixture.Gui(), nullptr, nullptr, &program.Root()});
        publish.Run();
        ASSERT_TRUE(publish.Succeeded());

        // The section page, whose sub-pages a menu that opens the current path shows.
        const QString page = QString::fromStdString(site.File(lang + "/" + std::to_string(kAboutUsPage) + ".html"));
        QWebEngineView view;
        const std::string picture = "published-menu-" + std::string(GetParam().name) + "-" + menu;
        const std::set<std::string> desktop = VisibleMenuLinks(view, page, 1280, (picture + "-desktop").c_str());
        const std::set<std::string> phone = VisibleMenuLinks(view, page, 375, (picture + "-phone").c_str());
        EXPECT_FALSE(desktop.empty());
        for (const std::string& href : desktop)
            EXPECT_EQ(phone.count(href), 1u) << href << " is in the desktop's menu, not in the phone's";
        if (std::string(GetParam().name) == "Meadow") {
            for (const int id : subPages)
                EXPECT_EQ(desktop.count(std::to_string(id) + ".html"), 1u) << "the tree opens the page's section";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ShippedStyles, PublishedMenu,
                         ::testing::Values(TStyle{"Harbor", 600901}, TStyle{"Meadow", 600902},
                                           TStyle{"Atelier", 600903}),
                         [](const ::testing::TestParamInfo<TStyle>& info) { return std::string(info.param.name); });

}  // namespace
