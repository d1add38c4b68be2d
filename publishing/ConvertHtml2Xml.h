#pragma once
// Rebuilds an HTML page, as the HTML loader parsed it, node by node as XML
// under an element of another document (the main rule of a page template),
// collecting on the way the addresses of the page's pictures (src of img and
// input, every background attribute), scripts (src of script) and linked
// style sheets (href of link), each once, in the order first met.
//
// The result is XML that a style sheet can hold: script text becomes a CDATA
// section, names that XML cannot take (or that need a namespace the page
// never declared) are left out with a line in the log, and namespace
// declarations of the page are not copied.
#include <libxml/tree.h>

#include <functional>
#include <string>
#include <vector>

class TConvertHtml2Xml {
public:
    // Lists that stay null collect nothing; the log may stay empty.
    std::vector<std::string>* Images = nullptr;
    std::vector<std::string>* Scripts = nullptr;
    std::vector<std::string>* StyleSheets = nullptr;
    std::function<void(const std::string&)> Log;

    // Loads the file with the HTML loader and converts it under Parent: the
    // whole page, or only what the body holds when BodyOnly is set. False
    // when the page did not load.
    bool ConvertFile(const std::string& fileName, xmlNode* parent, bool bodyOnly);
    // Converts Node under Parent; Copy says whether Node itself is copied
    // (from a body element on everything is).
    void ConvertNode(const xmlNode* node, xmlNode* parent, bool copy);

private:
    void CopyAttributes(const xmlNode* node, xmlNode* element);
    void Collect(std::vector<std::string>* list, const std::string& address);
};
