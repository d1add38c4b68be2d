#pragma once
// The DOM of one record-set document (root element StoredRecordset) and the
// two ways it crosses the program's edge:
//  - Save writes it in ISO-8859-1, as its declaration says: characters
//    outside that set become character references, so any text survives.
//    Layout: the declaration, the root's start tag, each element under the
//    root followed by CR LF, the end tag and CR LF.
//  - Parse reads a document in whatever encoding it declares (ISO-8859-1
//    when it declares none and is no valid UTF-8) into UTF-8, without
//    network access, without loading or substituting entities, and refuses
//    any document type declaration: record-set documents never have one,
//    and its entities are the way to hostile documents.
#include <libxml/tree.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class TRecordsetXmlDocument {
public:
    // Receives the written bytes in order.
    using TByteSink = std::function<void(const char* data, std::size_t size)>;

    // An empty document: the root element without children.
    TRecordsetXmlDocument();
    ~TRecordsetXmlDocument();
    TRecordsetXmlDocument(TRecordsetXmlDocument&& other) noexcept;
    TRecordsetXmlDocument& operator=(TRecordsetXmlDocument&& other) noexcept;
    TRecordsetXmlDocument(const TRecordsetXmlDocument&) = delete;
    TRecordsetXmlDocument& operator=(const TRecordsetXmlDocument&) = delete;

    // The document of Bytes; EPublisherTolvexException with the parser's
    // reason when they are no well-formed document.
    static TRecordsetXmlDocument Parse(std::string bytes);

    xmlNodePtr Root() const;

    // Writes the document into Sink. Exceptions of the sink pass through;
    // a failure of the encoder raises ECriticalTolvexException.
    void Save(const TByteSink& sink) const;
    // Saves the document as the file, through a temporary name in its folder.
    void SaveToFile(const std::string& fileName) const;

    // ---- nodes ----------------------------------------------------------------
    // Appends an element named Name; EDeveloperTolvexException when Name is
    // no XML name or holds a character outside ISO-8859-1 (the document's
    // encoding, in which a name has no other way to be written).
    static xmlNodePtr AddElement(xmlNodePtr parent, const std::string& name);
    // Replaces the element's content with Text (see SafeText).
    static void SetText(xmlNodePtr element, const std::string& text);
    static void SetAttribute(xmlNodePtr element, const char* name, const std::string& value);
    // False when the element has no such attribute.
    static bool GetAttribute(xmlNodePtr element, const char* name, std::string& value);
    // The text content of the element.
    static std::string Text(xmlNodePtr element);
    static std::vector<xmlNodePtr> ChildElements(xmlNodePtr element);
    static std::string Name(xmlNodePtr element);
    // Text that an XML document can hold: control characters other than TAB,
    // LF and CR become spaces, as do the two non-characters U+FFFE and
    // U+FFFF; a byte that begins no valid UTF-8 sequence is taken as the
    // ISO-8859-1 character of its code.
    static std::string SafeText(const std::string& text);

private:
    explicit TRecordsetXmlDocument(xmlDocPtr doc) : doc_(doc) {}

    xmlDocPtr doc_ = nullptr;
};
