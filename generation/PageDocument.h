#pragma once
// The page document of one page ("out.xml"): the root element "Page" with
// the attribute "CatalogCode", the header that the transformer writes below
// it and whatever the generation rules append. The document owns its
// libxml2 tree; element names are checked, so that a name that is no XML
// name raises instead of giving a document that cannot be read back.
#include <memory>
#include <string>

typedef struct _xmlDoc xmlDoc;
typedef struct _xmlNode xmlNode;
typedef struct _xmlDict xmlDict;
class TXmlKeptElements;

class TPageDocument {
public:
    // Names: the dictionary the document keeps its names in, shared with
    // other documents of the same thread (the pages of a run); a new one
    // when null.
    explicit TPageDocument(const std::string& catalogCode, xmlDict* names = nullptr);
    // A page document of a publishing run: it keeps its names in Kept's
    // dictionary and may borrow its elements, which it gives back when freed.
    TPageDocument(const std::string& catalogCode, std::shared_ptr<TXmlKeptElements> kept);
    ~TPageDocument();
    TPageDocument(const TPageDocument&) = delete;
    TPageDocument& operator=(const TPageDocument&) = delete;

    xmlDoc* Document() const { return doc_; }
    // The root element "Page".
    xmlNode* Root() const;

    void SetAttribute(xmlNode* element, const std::string& name, const std::string& value);
    // Appends an element named Name to Parent, with Text as its text when
    // that is not empty. ECriticalTolvexException when Name is no XML name.
    xmlNode* AddElement(xmlNode* parent, const std::string& name, const std::string& text = "");

    // The document as text (UTF-8, with its XML declaration, no added blanks).
    std::string Text() const;
    // Writes the text to FileName, replacing the file.
    void SaveToFile(const std::string& fileName) const;

private:
    xmlDoc* doc_;
    std::shared_ptr<TXmlKeptElements> kept_;
};
