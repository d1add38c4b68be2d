#include "generation/XsltLentDocuments.h"

#include <libxml/parser.h>
#include <libxml/uri.h>
#include <libxml/xpath.h>
#include <libxslt/documents.h>
#include <libxslt/imports.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>

namespace {

const xmlChar* X(const std::string& text)
{
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

}  // namespace

TXsltLentDocuments::~TXsltLentDocuments()
{
    for (auto& [url, entry] : documents_)
        xmlFreeDoc(entry.document);
}

void TXsltLentDocuments::Lend(xsltTransformContext* context, const std::string& sheetUrl,
                              const std::string& reference, const std::string& text)
{
    if (!context || xsltNeedElemSpaceHandling(context))
        return;
    // The address document() asks for: the reference resolved against the sheet.
    xmlChar* resolved = xmlBuildURI(X(reference), X(sheetUrl));
    if (!resolved)
        return;
    const std::string url(reinterpret_cast<const char*>(resolved));
    xmlFree(resolved);

    TEntry& entry = documents_[url];
    if (!entry.document || entry.text != text) {
        xmlFreeDoc(entry.document);
        // As libxslt's loader reads it for a transformation, without the
        // network; silent, as a text that does not parse is not lent and
        // the transformation's own read reports it.
        entry.document = xmlReadMemory(text.data(), static_cast<int>(text.size()), url.c_str(), nullptr,
                                       XSLT_PARSE_OPTIONS | XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
        entry.text = text;
        if (!entry.document)
            return;
        xmlXPathOrderDocElems(entry.document);
    }
    if (xsltDocumentPtr lent = xsltNewDocument(context, entry.document))
        lent->main = 1;  // the context frees its documents, but not this one
}
