#pragma once
// Owners of libxml2 objects, so that a document, a parser, an XPath context
// or an XPath result is freed on every path out of the code that made it.
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <memory>

struct TXmlDocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
struct TXmlParserFree {
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};
struct TXPathContextFree {
    void operator()(xmlXPathContext* context) const { xmlXPathFreeContext(context); }
};
struct TXPathObjectFree {
    void operator()(xmlXPathObject* object) const { xmlXPathFreeObject(object); }
};
struct TXmlStringFree {
    void operator()(xmlChar* text) const { xmlFree(text); }
};

using TXmlDocPtr = std::unique_ptr<xmlDoc, TXmlDocFree>;
using TXmlParserPtr = std::unique_ptr<xmlParserCtxt, TXmlParserFree>;
using TXPathContextPtr = std::unique_ptr<xmlXPathContext, TXPathContextFree>;
using TXPathObjectPtr = std::unique_ptr<xmlXPathObject, TXPathObjectFree>;
using TXmlStringPtr = std::unique_ptr<xmlChar, TXmlStringFree>;
