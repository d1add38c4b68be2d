// The initial settings window a new catalog opens with, and the general
// item properties tab, on real catalogs: loaded, edited through their
// controls, saved, and (for the properties) cancelled.
#include "EditorPaneHelpers.h"

#include "common/WellKnownIds.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"
#include "storage/NameValueLines.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

constexpr const char* kCode = "shop";

std::unique_ptr<TTolvexObject> Committed(TMainWindowFixture& f, int itemId, int classId)
{
    return f.Root().Catalog().GetObjectFactory().GetObjectTyped(itemId, classId, f.Main(), kCode);
}

std::vector<std::string> LanguageCodes(TMainWindowFixture& f)
{
    std::vector<std::string> codes;
    Committed(f, 601, 601)->GetValues("LangCode", nullptr, codes);
    return codes;
}

void Picture(QWidget& widget, const char* name)
{
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
        widget.grab().save(QString("%1/%2.png").arg(dir, name));
}

TEST(InitialSettingsWindow, ANewCatalogAsksForItsSettingsAndOkSavesWhatIsShown)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    bool asked = false;
    ASSERT_EQ(f.CreateAndOpen([&](TfrmFrameContainer& window) {
                  asked = true;
                  EXPECT_FALSE(window.btnContainerCancel->isVisible()) << "OK is the only way out";
                  const QTabBar* tabs = window.findChild<QTabBar*>();
                  EXPECT_TRUE(!tabs || !tabs->isVisible()) << "one frame, no tabs";
                  EXPECT_EQ(window.size(), QSize(360, 340));
                  auto* name = window.findChild<QLineEdit*>("edtInitCompanyName");
                  ASSERT_NE(name, nullptr);
                  EXPECT_EQ(name->text(), "Acme Ltd");
                  Picture(window, "initial-settings");
                  window.btnContainerOk->click();
              }),
              "");
    EXPECT_TRUE(asked);
    EXPECT_EQ(TCatalog::GetCatalogProperty(707, f.Main(), kCode), "yes");
    EXPECT_EQ(Committed(f, kCompanyItemId, 3)->GetLangString("CompanyName", f.Data().GetDefaultLangCode(), 0),
              "Acme Ltd");
}

TEST(InitialSettingsWindow, AnotherLanguageReplacesTheOnlyOneAndTheCatalogReadsItAgain)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen([](TfrmFrameContainer& window) {
                  auto* language = window.findChild<QComboBox*>("cbInitCatalogLanguage");
                  auto* currency = window.findChild<QComboBox*>("cbInitDefaultCurrency");
                  auto* country = window.findChild<QComboBox*>("cbInitCountry");
                  auto* name = window.findChild<QLineEdit*>("edtInitCompanyName");
                  ASSERT_TRUE(language && currency && country && name);
                  language->setCurrentIndex(language->findData("DE"));
                  currency->setCurrentIndex(currency->findData("EUR"));
                  country->setCurrentIndex(country->findData("DE"));
                  name->selectAll();
                  QTest::keyClicks(name, "Acme GmbH");
                  window.btnContainerOk->click();
              }),
              "");
    EXPECT_EQ(LanguageCodes(f), std::vector<std::string>{"DE"});
    EXPECT_EQ(Committed(f, 601, 601)->GetString("DefaultLangCode", 0), "DE");
    EXPECT_EQ(f.Data().GetDefaultLangCode(), "DE") << "the catalog read its languages again";
    EXPECT_EQ(TCatalog::GetCatalogProperty(706, f.Main(), kCode), "EUR");
    auto company = Committed(f, kCompanyItemId, 3);
    // In the catalog's language, which is now German.
    EXPECT_EQ(company->GetLangString("CompanyName", "DE", 0), "Acme GmbH");
    EXPECT_EQ(company->GetLangString("CompanyCountry", "DE", 0), "DE");
}


// A folder of the templates tree with a name and, when asked, a version.
int AddFolder(TMainWindowFixture& f, const std::string& name, bool withVersion)
{
    TCatalog& catalog = f.Root().Catalog();
    const int id = catalog.CreateItem(2, 5, 0, kCode, f.Main(), 0);
    auto names = catalog.GetObjectFactory().CreateObjectTyped(id, kNamesClassId, 0, f.Main(), kCode);
    names->SetLangString("ItemName", f.Data().GetDefaultLangCode(), name, 0);
    names->Save();
    if (withVersion) {
        auto version = catalog.GetObjectFactory().CreateObjectTyped(id, kVersionClass, 0, f.Main(), kCode);
        version->SetLangString("Version", f.Data().GetDefaultLangCode(), "1.0", 0);
        version->Save();
    }
    return id;
}

bool OpenProperties(TMainWindowFixture& f, int item)
{
    if (!f.Editor().OpenItemWithEditor(item, item, 2, "ItemProperties", "", nullptr))
        return false;
    QCoreApplication::processEvents();
    return f.Editor().Container()->ActivateTabByName("ItemPropertiesEditor-properties");
}


TEST(ItemPropertiesTab, StoresNameFileNameVersionAndImageCodeWithTheSaveOnly)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    const int item = AddFolder(f, "Layouts", true);
    ASSERT_TRUE(OpenProperties(f, item));
    auto* name = Find<QLineEdit>(f, "edtItemPropertiesName");
    auto* id = Find<QLineEdit>(f, "edtItemPropertiesId");
    auto* file = Find<QLineEdit>(f, "edtItemPropertiesAltFileName");
    auto* version = Find<QLineEdit>(f, "edtItemPropertiesVersion");
    auto* code = Find<QLineEdit>(f, "edtItemPropertiesImageCode");
    ASSERT_TRUE(name && id && file && version && code);
    EXPECT_EQ(name->text(), "Layouts");
    EXPECT_EQ(id->text(), QString::number(item));
    EXPECT_TRUE(id->isReadOnly());
    EXPECT_EQ(version->text(), "1.0");
    EXPECT_EQ(Find<QLabel>(f, "lblItemPropertiesType")->text(), "Folder");
    EXPECT_FALSE(file->toolTip().isEmpty()) << "the member's hint";

    // Cancel leaves everything as it was.
    TypeOver(name, "Gone");
    TypeOver(code, "9");
    PressCancel(f);
    EXPECT_EQ(name->text(), "Layouts");
    EXPECT_EQ(code->text(), "");

    TypeOver(name, "Page Layouts");
    TypeOver(file, "page layouts.v2");
    TypeOver(version, "2.1");
    TypeOver(code, " 7 ");
    Shoot(f, "item-properties");
    // Not before the save: the editor holds no write while the user works.
    f.Editor().Context()->WithUnsavedValues([](TAbstractDBConnection&) {});
    EXPECT_EQ(f.Root().Catalog().GetExpandedImageCode(item, kCode, f.Main()), "");
    PressSave(f);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_EQ(file->text(), "pagelayoutsv2") << "only letters, digits, - and _ remain";
    auto names = Committed(f, item, kNamesClassId);
    EXPECT_EQ(names->GetLangString("ItemName", "XXX", 0), "Page Layouts");
    EXPECT_EQ(names->GetLangString("ItemName", f.Data().GetDefaultLangCode(), 0), "Page Layouts");
    EXPECT_EQ(names->GetLangString("AltFileName", f.Data().GetDefaultLangCode(), 0), "pagelayoutsv2");
    EXPECT_EQ(Committed(f, item, kVersionClass)->GetLangString("Version", f.Data().GetDefaultLangCode(), 0), "2.1");
    EXPECT_EQ(f.Root().Catalog().GetExpandedImageCode(item, kCode, f.Main()), "7");
}

TEST(ItemPropertiesTab, EachRenameIsReportedToTheItemEditor)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    const int item = AddFolder(f, "Layouts", true);
    ASSERT_TRUE(OpenProperties(f, item));
    auto* name = Find<QLineEdit>(f, "edtItemPropertiesName");
    std::vector<std::string> params;
    f.Editor().Context()->SetParams(&params);
    for (const char* newName : {"First", "Second"}) {
        TypeOver(name, newName);
        PressSave(f);
        EXPECT_EQ(ValueOfName(params, "NameChanged"), newName);
        EXPECT_EQ(ValueOfName(params, "NameChangedItemId"), std::to_string(item));
    }
    f.Editor().Context()->SetParams(nullptr);
}

TEST(ItemPropertiesTab, AnItemWithoutAVersionOffersOnlyTheImageCode)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    const int item = AddFolder(f, "Plain", false);
    ASSERT_TRUE(OpenProperties(f, item));
    for (const char* edit : {"edtItemPropertiesName", "edtItemPropertiesAltFileName", "edtItemPropertiesVersion"})
        EXPECT_FALSE(Find<QLineEdit>(f, edit)->isEnabled()) << edit;
    auto* code = Find<QLineEdit>(f, "edtItemPropertiesImageCode");
    ASSERT_TRUE(code->isEnabled());
    TypeOver(code, "4");
    PressSave(f);
    EXPECT_EQ(f.Root().Catalog().GetExpandedImageCode(item, kCode, f.Main()), "4");
    TQueryGuard query(f.Main());
    query->SetSQL("SELECT COUNT(*) AS N FROM CObjectInstances WHERE ItemId = :ItemId AND ClassId = 505");
    query->SetParam("ItemId", item);
    EXPECT_EQ(FieldText(query->Open(true), "N"), "0") << "no version object is made";
}

}  // namespace
