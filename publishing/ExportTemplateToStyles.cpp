#include "publishing/ExportTemplateToStyles.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/CatalogQueries.h"
#include "catalog/Tolvex.h"
#include "common/CommonImages.h"
#include "generation/StyleLoader.h"
#include "generation/Templates.h"
#include "storage/AbstractDBConnectionFactory.h"

#include <algorithm>
#include <cstdlib>
#include <strings.h>

void TExportTemplateToStyles::Execute()
{
    TCatalogData* data = OpenCatalog();
    const int itemId = std::atoi(Param("ItemId").c_str());
    if (!data || itemId == 0)
        return;
    const bool import = Param("Import") == "yes";
    TAbstractDBConnectionFactory* styles = Root()->Catalog().GetDefinition().GetDefinitionDatabase(-1);
    if (!styles) {
        WriteLog(Tr("The styles database cannot be opened."), 3);
        return;
    }
    TAbstractDBConnection& styleConnection = styles->GetConnection();
    const std::string styleCode = data->GetPageGeneration().GetStyleCatalogCode();
    const std::string openCode = data->GetCatalogCode();
    TAbstractDBConnection& source = import ? styleConnection : connection_;
    TAbstractDBConnection& target = import ? connection_ : styleConnection;
    const std::string sourceCode = import ? styleCode : openCode;
    const std::string targetCode = import ? openCode : styleCode;

    TCatalogQueries& queries = data->GetQueries();
    const int itemType = queries.GetItemType(itemId, sourceCode, source);
    if (itemType == 0) {
        WriteLog(Format(import ? "The styles database has no template with ID $1; the local one stays."
                               : "The catalog has no template with ID $1.",
                        {std::to_string(itemId)}),
                 3);
        return;
    }
    const int targetType = queries.GetItemType(itemId, targetCode, target);
    if (targetType != 0 && targetType != itemType) {
        WriteLog(Format("Another item holds ID $1 in the target; it is not replaced.", {std::to_string(itemId)}), 3);
        return;
    }
    if (itemType == 501 || itemType == 502) {
        const std::string xsl = data->GetPageGeneration().GetTemplates().GetTemplateXsl(itemId, sourceCode, source);
        if (xsl.empty()) {
            WriteLog(Format("The template with ID $1 has no XSL.", {std::to_string(itemId)}), 3);
            return;
        }
        std::vector<std::string> pictures;
        TCommonImages::ExtractImageUrls(xsl, pictures);
        std::sort(pictures.begin(), pictures.end(),
                  [](const std::string& a, const std::string& b) { return ::strcasecmp(a.c_str(), b.c_str()) < 0; });
        pictures.erase(std::unique(pictures.begin(), pictures.end(),
                                   [](const std::string& a, const std::string& b) {
                                       return ::strcasecmp(a.c_str(), b.c_str()) == 0;
                                   }),
                       pictures.end());
        if (cancelled_)
            return;
        if (!pictures.empty()) {
            WriteLog(Tr(import ? "Need to add the follow images from styles database:"
                               : "Need to add the follow images to styles database:"));
            WriteLog("");
            for (const std::string& picture : pictures)
                WriteLog(picture);
        }
    }
    TStyleLoader(Root()->Catalog(), sourceCode, targetCode)
        .CopyItemsPlain({std::to_string(itemId)}, source, target);
    // A unit of work the runner began is ended here: the copy is whole.
    if (target.InTransaction()) {
        target.CommitTrans();
        target.BeginTrans();
    }
    if (import)
        data->GetPageGeneration().GetTemplates().ResetTemplateList();
    success_ = true;
}
