#pragma once
// What the visual HTML editor shows a page's parts with, so that the text
// looks as it will on the published page: the colour and font style sheets
// of the page's master template (its own, or the item type's default) and
// its background picture. No widgets.
#include <string>

class TAbstractCObject;
class TAbstractDBConnection;
class TTemplates;

struct TDesignPageStyle {
    // The colour style sheet followed by the font style sheet.
    std::string Css;
    // The background picture's file name ("12.jpeg"), empty for none.
    std::string BackgroundFile;

    // The style of the page object WebPage (its "MasterTemplate", 0 standing
    // for the item type's default); without a page object, no style at all.
    static TDesignPageStyle Of(TAbstractCObject* webPage, int itemType, TTemplates& templates,
                               const std::string& catalogCode, TAbstractDBConnection& connection);
};
