// The service editors in the main window on a real catalog: a new service
// gets its generated identifier; Cancel restores the price terms; a package
// holding another service saves; a custom template that is not well-formed
// XML is refused with the line of the fault; looking through the template
// types stores nothing.
#include "BusinessPaneHelpers.h"

#include "editors/framework/Registration.h"
#include "editors/framework/ui/frmFrameContainer.h"
#include "editors/site/html/SourceTextEdit.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QListWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace business_test;
using UiText::Q;
using UiText::S;

namespace {

// A new service through the windows, saved; its item id.
int NewService(TMainWindowFixture& f, const QString& name)
{
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=-2&ItemType=3301&ParentItemId=100001", false);
    QCoreApplication::processEvents();
    if (auto* edit = Find<QLineEdit>(f, "edtName"))
        TypeOver(edit, name);
    PressSave(f);
    return f.Editor().GetItemId();
}

}  // namespace

namespace {

class ServiceEditors : public ::testing::Test {
protected:
    ServiceEditors() : f(RegisterFrameworkClasses, false) { EXPECT_EQ(f.CreateAndOpen(), ""); }
    TMainWindowFixture f;
};

TEST_F(ServiceEditors, ANewServiceStoresItsGeneratedIdentifierAndCancelRestoresTheTerms)
{
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=-2&ItemType=3301&ParentItemId=100001", false);
    QCoreApplication::processEvents();
    auto* guid = Find<QLineEdit>(f, "edtGuid");
    ASSERT_NE(guid, nullptr);
    const QString generated = guid->text();
    EXPECT_TRUE(QRegularExpression("^[0-9A-F]{32}$").match(generated).hasMatch()) << generated.toStdString();
    Shoot(f, "service-properties");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    const int service = f.Editor().GetItemId();
    const std::string committed = "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " +
                                  std::to_string(service) + " AND StringValue = '" + generated.toStdString() + "'";
    EXPECT_EQ(Committed(f, committed), generated.toStdString());

    ShowTab(f, "Service-price");
    auto* oneTime = Find<QRadioButton>(f, "rbOneTime");
    ASSERT_NE(oneTime, nullptr);
    EXPECT_TRUE(Find<QRadioButton>(f, "rbRecurring")->isChecked());
    oneTime->click();
    EXPECT_FALSE(Find<QComboBox>(f, "cbPeriod")->isEnabled()) << "a one-time service has no period";
    TypeOver(Find<QLineEdit>(f, "edtCost"), "12499.99");
    Shoot(f, "service-price");
    PressCancel(f);
    QCoreApplication::processEvents();
    OpenItem(f, service, "Service-price");
    EXPECT_TRUE(Find<QLineEdit>(f, "edtCost")->text().isEmpty());
    EXPECT_FALSE(Find<QRadioButton>(f, "rbOneTime")->isChecked());
}

}  // namespace

namespace {

class AdvancedServiceEditors : public ::testing::Test {
protected:
    AdvancedServiceEditors() : f(RegisterFrameworkClasses, true) { EXPECT_EQ(f.CreateAndOpen(), ""); }
    TMainWindowFixture f;
};

TEST_F(AdvancedServiceEditors, APackageHoldingAnotherServiceSaves)
{
    const int hosting = NewService(f, "Hosting");
    const std::string hostingGuid = S(Find<QLineEdit>(f, "edtGuid")->text());
    const int bundle = NewService(f, "Bundle");
    ShowTab(f, "ServicePackages-basic");
    auto* isPackage = Find<QCheckBox>(f, "chkIsPackage");
    ASSERT_NE(isPackage, nullptr);
    EXPECT_FALSE(Find<QPushButton>(f, "btnAddService")->isEnabled()) << "not a package yet";
    isPackage->click();
    WhenShown([&](TfrmFrameContainer& dialog) {
        auto* service = dialog.findChild<QComboBox*>("cbService");
        ASSERT_NE(service, nullptr);
        EXPECT_GE(service->findData(Q(hostingGuid)), 0);
        service->setCurrentIndex(service->findData(Q(hostingGuid)));
        QTest::keyClicks(dialog.findChild<QLineEdit*>("edtRestrictions"), "one per order");
        dialog.btnContainerOk->click();
    });
    QTest::mouseClick(Find<QPushButton>(f, "btnAddService"), Qt::LeftButton);
    auto* list = Find<QTreeWidget>(f, "lvServices");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "Hosting");
    Shoot(f, "service-packages");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    EXPECT_EQ(Committed(f, "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(bundle) + " AND ClassId = 1015 AND MemberId = 1"),
              hostingGuid);
    (void)hosting;

    // A package is not offered as a service another package holds.
    const int other = NewService(f, "Other");
    ShowTab(f, "ServicePackages-basic");
    Find<QCheckBox>(f, "chkIsPackage")->click();
    WhenShown([&](TfrmFrameContainer& dialog) {
        auto* service = dialog.findChild<QComboBox*>("cbService");
        EXPECT_GE(service->findText("Hosting"), 0);
        EXPECT_LT(service->findText("Bundle"), 0);
        dialog.btnContainerCancel->click();
    });
    QTest::mouseClick(Find<QPushButton>(f, "btnAddService"), Qt::LeftButton);
    (void)other;
}

TEST_F(AdvancedServiceEditors, ACustomTemplateThatIsNoXmlIsRefusedWithItsLine)
{
    const int service = NewService(f, "Hosting");
    const std::string before = AllRows(f);
    ShowTab(f, "CustomTemplateEditor-basic");
    auto* types = Find<QListWidget>(f, "lvTypes");
    ASSERT_NE(types, nullptr);
    ASSERT_GE(types->count(), 2);
    // Looking through the types stores nothing.
    types->setCurrentRow(1);
    types->setCurrentRow(0);
    PressSave(f);
    EXPECT_EQ(RowsChanged(before, AllRows(f)), "");

    auto* source = Find<TSourceTextEdit>(f, "edtTemplate");
    source->SetText("<xsl:stylesheet xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" version=\"1.0\">\n"
                    "<xsl:template match=\"/\">\n<b><i>x</b></i>\n</xsl:template>\n</xsl:stylesheet>\n");
    types->item(0)->setCheckState(Qt::Checked);
    Shoot(f, "service-custom-template");
    PressSave(f);
    const std::vector<std::string> errors = f.Boxes().Messages("error");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors.front().rfind("Line 3:", 0), 0u) << errors.front();
    EXPECT_EQ(Committed(f, "SELECT COUNT(*) FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(service) + " AND ClassId = 1014"),
              "0");

    // Mended, it saves; the other type keeps its default text.
    source->SetText("<xsl:stylesheet xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" version=\"1.0\"/>");
    PressSave(f);
    EXPECT_EQ(Committed(f, "SELECT COUNT(*) FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(service) + " AND ClassId = 1014"),
              "1");
}

}  // namespace

namespace {

TEST_F(AdvancedServiceEditors, ADuplicateIdentifierIsRefusedAndAProviderIdentifierAloneIsSaved)
{
    NewService(f, "Hosting");
    const QString taken = Find<QLineEdit>(f, "edtGuid")->text();
    const int mail = NewService(f, "Mail");
    TypeOver(Find<QLineEdit>(f, "edtGuid"), taken);
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"),
              std::vector<std::string>{"Another service has the GUID \"" + S(taken) + "\"."});
    EXPECT_TRUE(f.Editor().Context()->IsModified()) << "what was typed stays";
    TypeOver(Find<QLineEdit>(f, "edtGuid"), "0123456789ABCDEF0123456789ABCDEF");
    PressSave(f);
    EXPECT_FALSE(f.Editor().Context()->IsModified());

    ShowTab(f, "ServiceInit-basic");
    auto* provider = Find<QLineEdit>(f, "edtServiceProviderGuid");
    ASSERT_NE(provider, nullptr);
    TypeOver(provider, "PROVIDER-1");
    Shoot(f, "service-init");
    PressSave(f);
    EXPECT_EQ(Committed(f, "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(mail) + " AND StringValue = 'PROVIDER-1'"),
              "PROVIDER-1");
}

}  // namespace

namespace {

TEST_F(AdvancedServiceEditors, AFieldWithoutANameIsAskedForAgainWithWhatWasTyped)
{
    NewService(f, "Hosting");
    auto* tabs = f.EditorPane()->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == "Fields")
            tabs->setCurrentIndex(i);
    QCoreApplication::processEvents();
    auto* add = Find<QPushButton>(f, "btnListDataAdd");
    ASSERT_NE(add, nullptr);
    int shown = 0;
    std::function<void(TfrmFrameContainer&)> answer = [&](TfrmFrameContainer& dialog) {
        ++shown;
        auto* name = dialog.findChild<QLineEdit*>("edtFieldName");
        auto* tag = dialog.findChild<QLineEdit*>("edtFieldTag");
        ASSERT_TRUE(name && tag);
        if (shown == 1) {
            QTest::keyClicks(tag, "domain");
            WhenShown(answer);
        } else {
            EXPECT_EQ(tag->text(), "domain") << "shown again with what was typed";
            QTest::keyClicks(name, "Domain name");
        }
        dialog.btnContainerOk->click();
    };
    WhenShown(answer);
    QTest::mouseClick(add, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return shown == 2; }));
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"Enter field name"});
    auto* list = Find<QTreeWidget>(f, "lvListData");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Domain name");
}

}  // namespace
