#pragma once
// The XHTML form of a page template, which an outside HTML design tool
// opens as a page with editable regions, and the way back.
//
// ToXhtml: the XML declaration goes, protected entities are unwrapped,
// old-style region comments become TemplateBeginEditable/TemplateEndEditable
// comments, the root element gets the XHTML namespace, a master template
// gets links to its colour and font style sheets between removal markers,
// and the XHTML 1.0 Transitional document type comes first.
//
// FromXhtml undoes it: the document type and the namespace go, each pair
// of removal markers is cut out with what lies between them (pair by pair,
// so that the text between two pairs stays), and named entities are
// protected again. LinkedStyleSheets gives the style sheets linked between
// the markers in file order: the first is the colour scheme, the second
// the font scheme.
#include <string>
#include <vector>

namespace xhtml_template {

inline constexpr const char* kStartRemove = "<!-- #tolvexstartremove -->";
inline constexpr const char* kEndRemove = "<!-- #tolvexendremove -->";

// Item type 501 is a master template; the scheme ids are 0 when it has none.
std::string ToXhtml(const std::string& source, int itemType, int colorScheme, int fontScheme);
std::string FromXhtml(const std::string& text);
// The href values of LINK elements between removal markers, in file order.
std::vector<std::string> LinkedStyleSheets(const std::string& text);
// The base name of a linked file ("../css/600111.css" -> "600111"); empty without an extension.
std::string BaseName(const std::string& address);

}  // namespace xhtml_template
