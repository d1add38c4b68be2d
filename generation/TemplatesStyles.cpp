// Templates against their copies in the style catalog of the catalog's type.
#include "generation/Templates.h"

#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "common/Translation.h"
#include "generation/TransformerCatalog.h"

#include <algorithm>

namespace {

// The text without carriage returns and without trailing blanks and line breaks.
std::string Comparable(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return TCommonFunctions::TrimRightBlanks(text);
}

}  // namespace

void TTemplates::CompareWithStyles(int itemId, const std::string& catalogCode, std::string& message,
                                   TAbstractDBConnection& connection)
{
    const std::string styleCode = catalog_.GetStyleCatalogCode();
    TAbstractDBConnection* styles = catalog_.GetStyleConnection();
    const std::string own = Comparable(GetItemText(itemId, catalogCode, connection));
    const std::string style = styles ? Comparable(GetItemText(itemId, styleCode, *styles)) : std::string();
    const TTranslation& translation = catalog_.GetTranslation();
    if (own == style) {
        message = translation.Translate("Templates not differ");
        return;
    }
    const double ownVersion = GetTemplateVersion(itemId, catalogCode, connection);
    const double styleVersion = styles ? GetTemplateVersion(itemId, styleCode, *styles) : 0;
    if (ownVersion == styleVersion)
        message = translation.Translate("Templates differ");
    else if (ownVersion > styleVersion)
        message = translation.Translate("Templates differ. Catalog version of template is newer");
    else
        message = translation.Translate("Templates differ. Catalog version of template is older");
}

void TTemplates::ImportTemplateItem(int itemId, const std::string& sourceCatalogCode,
                                    TAbstractDBConnection& connection)
{
    TAbstractDBConnection* styles = catalog_.GetStyleConnection();
    if (!styles)
        throw EDeveloperTolvexException("Request connection for not opened catalog type");
    catalog_.ImportStyleItem(itemId, sourceCatalogCode, *styles, connection);
}
