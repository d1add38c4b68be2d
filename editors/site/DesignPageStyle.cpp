#include "editors/site/html/DesignPageStyle.h"

#include "common/CommonImages.h"
#include "generation/Templates.h"
#include "storage/AbstractCObject.h"

TDesignPageStyle TDesignPageStyle::Of(TAbstractCObject* webPage, int itemType, TTemplates& templates,
                                      const std::string& catalogCode, TAbstractDBConnection& connection)
{
    TDesignPageStyle style;
    if (!webPage)
        return style;
    int master = webPage->GetInteger("MasterTemplate", 0);
    if (master == 0)
        master = templates.GetDefaultTemplateId(itemType, kMasterTemplateKind, connection);
    int colorScheme = 0;
    int fontScheme = 0;
    int backgroundImageId = 0;
    if (master != 0)
        templates.GetStyleSchemes(master, colorScheme, fontScheme, backgroundImageId, connection);
    if (colorScheme != 0)
        style.Css = templates.GetTemplateCss(colorScheme, catalogCode, connection);
    if (fontScheme != 0)
        style.Css += templates.GetTemplateCss(fontScheme, catalogCode, connection);
    if (backgroundImageId != 0)
        style.BackgroundFile = TCommonImages::GetImageFileName(backgroundImageId, connection, catalogCode);
    return style;
}
