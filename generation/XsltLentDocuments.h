#pragma once
// Documents that the generated style sheets read with document() (the
// language resource "EN.xml" and the like), parsed once and lent to every
// transformation that reads them, instead of parsed from the work folder
// again for every page.
//
// A transformation context looks for a document it is asked to read among
// the documents it already holds, by address, before it parses the file;
// a lent document is put there, marked as one the context must not free.
// The lender parses the file's text as libxslt's own loader would, and
// parses again when the text changes. A style sheet that strips blank text
// strips it from the documents it reads, so such a transformation is lent
// nothing and reads the file itself.
//
// Made and used by one thread (each publishing worker has its own).
//
//   TXsltLentDocuments lent;
//   context = xsltNewTransformContext(sheet, page);
//   lent.Lend(context, workDir + "/out.xsl", "EN.xml", textOfEnXml);
#include <map>
#include <string>

typedef struct _xmlDoc xmlDoc;
typedef struct _xsltTransformContext xsltTransformContext;

class TXsltLentDocuments {
public:
    TXsltLentDocuments() = default;
    ~TXsltLentDocuments();
    TXsltLentDocuments(const TXsltLentDocuments&) = delete;
    TXsltLentDocuments& operator=(const TXsltLentDocuments&) = delete;

    // Lends Context the document that document(Reference) reads in the style
    // sheet at SheetUrl, parsed from Text; nothing when the text does not
    // parse (the transformation then reads the file and reports it).
    void Lend(xsltTransformContext* context, const std::string& sheetUrl, const std::string& reference,
              const std::string& text);

private:
    struct TEntry {
        std::string text;
        xmlDoc* document = nullptr;
    };
    std::map<std::string, TEntry> documents_;
};
