// The "Report Template" tab of a shipped report template: its name, id and
// version; a changed name is saved, an unchanged one writes nothing.
#include "../business/BusinessPaneHelpers.h"

#include "editors/framework/Registration.h"

#include <QLabel>
#include <QPixmap>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <cstdlib>

TEST(ReportTemplateEditor, ShowsTheTemplateAndSavesOnlyAChangedName)
{
    TMainWindowFixture f(RegisterFrameworkClasses, false);
    ASSERT_EQ(f.CreateAndOpen(), "");
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=600402", false);
    QCoreApplication::processEvents();
    auto* name = Find<QLineEdit>(f, "edtReportTemplateName");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "Product list (PDF)");
    EXPECT_EQ(Find<QLabel>(f, "lblReportItemId")->text(), "600402");
    EXPECT_EQ(Find<QLabel>(f, "lblReportTemplateVersion")->text(), "1.0");
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
        name->window()->grab().save(QString("%1/report-template-editor.png").arg(dir));

    TypeOver(name, "Stock list");
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    PressSave(f);
    EXPECT_EQ(business_test::NameOf(f, 600402), "Stock list");
}
