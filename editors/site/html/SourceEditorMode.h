#pragma once
// What a source editor edits, decided once when it is set up: from the
// editor's plug-in name and the configured class, which object and member
// hold the text, which colouring the editors get, and whether only the top
// part shows. Also the rules for the text it stores and the editable-region
// sections of XML templates. No widgets: the source editor widget applies
// the decision.
#include <string>
#include <vector>

enum class TSourceColouring { Html, Xml, Css, JavaScript, Php };

// The modes, by what is edited.
enum TSourceMode : int {
    smDesign = 0,      // "TopHTMLValue" and "BottomHTMLValue" of "CommonDesign"
    smXml = 1,         // a member of the class object, XML colouring, sections
    smCss = 2,
    smJavaScript = 3,
    smHtmlParams = 4,  // "SourceHtml_" + language of the opened editor's parameters
    smPhp = 5,
    smAsp = 6,
    smJsp = 7,         // stored without trailing blanks
};

struct TSourceEditorMode {
    int Mode = smDesign;
    // Class and member XML tags of the edited value (modes 1-3 and 5-7).
    std::string ClassTag;
    std::string MemberTag;
    TSourceColouring Colouring = TSourceColouring::Html;
    bool TopOnly = false;
    // "Sections" and "Validate XML" are offered.
    bool XmlTools = false;

    // The mode for an editor named PluginName with the class and member it
    // was configured with (empty when none); OnlyTop: the UI editor's
    // parameter string holds "OnlyTop" (used by the design mode only).
    static TSourceEditorMode Choose(const std::string& pluginName, const std::string& classTag,
                                    const std::string& memberTag, bool onlyTop);

    // The text a mode stores for what its top editor holds: a JSP source
    // without trailing tabs, line breaks and blanks; others unchanged.
    std::string StoredText(const std::string& text) const;
    // A part of the design mode as stored: a single line break counts as empty.
    static std::string StoredDesignPart(const std::string& text);

    // The names of the editable regions marked in an XML template, sorted,
    // without duplicates and double quotes.
    static std::vector<std::string> SectionNames(const std::string& text);
    // The byte offset of the marker that opens the region named Name; -1
    // when there is none.
    static long long FindSection(const std::string& text, const std::string& name);
};
