// Copying a template to the style catalog of the catalog type and restoring
// it from there.
#include "ImportFixture.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogPageGeneration.h"
#include "publishing/ExportTemplateToStyles.h"

#include <gtest/gtest.h>

namespace {

const std::string kEdited =
    "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
    "<xsl:template match=\"/\"><html><body><img src=\"../images/b.png\"/><img src=\"../images/A.png\"/>"
    "<img src=\"../images/b.png\"/></body></html></xsl:template></xsl:stylesheet>";

struct TStyles {
    explicit TStyles(TImportSite& site)
        : connection(site.Program().Root().Catalog().GetDefinition().GetDefinitionDatabase(-1)->GetConnection()),
          code(site.Data().GetPageGeneration().GetStyleCatalogCode())
    {
    }
    std::string Source(int itemId)
    {
        TQueryGuard query(connection);
        query->SetSQL("SELECT TextValue FROM CText WHERE CatalogCode = :CatalogCode AND ClassId = 503 AND ItemId = " +
                      std::to_string(itemId));
        query->SetParam("CatalogCode", code);
        TAbstractRecordset& rows = query->Open(true);
        return rows.Eof() ? std::string() : catalog_sql::TextOf(rows.Field("TextValue"));
    }
    TAbstractDBConnection& connection;
    std::string code;
};

}  // namespace

TEST(ExportTemplateToStyles, ATemplateGoesToTheStylesAndComesBackWithItsPicturesListed)
{
    TImportSite site;
    TStyles styles(site);
    const std::string shipped = styles.Source(600101);
    ASSERT_FALSE(shipped.empty());
    site.SetSource(600101, "XmlData", kEdited);

    std::vector<std::string> params{"ItemId=600101"};
    ASSERT_TRUE(site.Run<TExportTemplateToStyles>(params)->Succeeded());
    EXPECT_EQ(styles.Source(600101), kEdited);
    const std::vector<std::string> texts = site.Runner().Texts();
    const auto header = std::find(texts.begin(), texts.end(), "Need to add the follow images to styles database:");
    ASSERT_NE(header, texts.end());
    EXPECT_EQ(std::vector<std::string>(header + 2, header + 4),
              (std::vector<std::string>{"../images/A.png", "../images/b.png"}));

    // Restoring replaces the local rows; the id stays.
    site.SetSource(600101, "XmlData", "<xsl:stylesheet version=\"1.0\"/>");
    std::vector<std::string> restore{"ItemId=600101", "Import=yes"};
    ASSERT_TRUE(site.Run<TExportTemplateToStyles>(restore)->Succeeded());
    EXPECT_EQ(site.Text(600101, 503, 1, "XXX"), kEdited);
}

TEST(ExportTemplateToStyles, AMissingTemplateOrAnUnrelatedItemOfTheSameIdIsNeverReplaced)
{
    TImportSite site;
    TStyles styles(site);
    // Restoring a template the style catalog lacks keeps the local one.
    const int local = site.AddItem(501, 600001);
    site.SetSource(local, "XmlData", kEdited);
    std::vector<std::string> restore{"ItemId=" + std::to_string(local), "Import=yes"};
    EXPECT_FALSE(site.Run<TExportTemplateToStyles>(restore)->Succeeded());
    EXPECT_EQ(site.Text(local, 503, 1, "XXX"), kEdited);
    EXPECT_EQ(site.ItemsOfType(501, 600001).size(), 2u);

    // The style catalog's 600111 is a colour sheet: a local master of that id does not replace it.
    {
        TQueryGuard query(site.Connection());
        query->SetSQL("UPDATE Items SET ItemType = 501 WHERE CatalogCode = 'shop' AND ItemId = 600111");
        query->ExecSQL();
    }
    site.SetSource(600111, "XmlData", kEdited);
    std::vector<std::string> params{"ItemId=600111"};
    EXPECT_FALSE(site.Run<TExportTemplateToStyles>(params)->Succeeded());
    EXPECT_EQ(styles.Source(600111), "");  // still the style sheet, whose text is of class 504
}
