#include "storage/RecordsetXmlDocument.h"

#include "common/AtomicFile.h"
#include "common/Exceptions.h"
#include "common/XmlPtr.h"

#include <libxml/chvalid.h>
#include <libxml/parser.h>
#include <libxml/xmlIO.h>
#include <libxml/xmlstring.h>

#include <climits>
#include <exception>
#include <memory>
#include <sstream>
#include <utility>

namespace {

const char* const kDeclaration = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n";
const char* const kRootName = "StoredRecordset";
const char* const kLineBreak = "\r\n";

const xmlChar* Xml(const std::string& text)
{
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

std::string FromXml(const xmlChar* text)
{
    return text ? reinterpret_cast<const char*>(text) : "";
}

void AppendLatin1(std::string& out, unsigned char code)
{
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
}

// True when every character of the UTF-8 text is one of ISO-8859-1.
bool IsLatin1(const std::string& text)
{
    const auto* bytes = Xml(text);
    for (std::size_t pos = 0; pos < text.size();) {
        int length = static_cast<int>(std::min<std::size_t>(4, text.size() - pos));
        const int code = xmlGetUTF8Char(bytes + pos, &length);
        if (code < 0 || code > 0xFF || length <= 0)
            return false;
        pos += static_cast<std::size_t>(length);
    }
    return true;
}

// ---- reading ------------------------------------------------------------------

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Offset of the text after a UTF-8 byte order mark.
std::size_t StartOfText(const std::string& bytes)
{
    return bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
}

// True when Pos starts an XML declaration ("<?xml" and a blank), not a
// processing instruction whose target merely begins with "xml".
bool IsDeclarationAt(const std::string& bytes, std::size_t pos)
{
    return bytes.compare(pos, 5, "<?xml") == 0 && pos + 5 < bytes.size() && IsBlank(bytes[pos + 5]);
}

// UTF-16 and UTF-32 documents start with a byte order mark or have zero bytes
// among their first characters; every other encoding keeps ASCII as it is.
bool IsWideEncoding(const std::string& bytes)
{
    if (bytes.compare(0, 2, "\xFE\xFF") == 0 || bytes.compare(0, 2, "\xFF\xFE") == 0)
        return true;
    for (std::size_t i = 0; i < bytes.size() && i < 4; ++i)
        if (bytes[i] == '\0')
            return true;
    return false;
}

// Control characters other than TAB, LF and CR are not allowed in XML; in
// record-set documents they stand for spaces.
void BlankControlBytes(std::string& bytes)
{
    for (char& c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 && c != '\t' && c != '\n' && c != '\r')
            c = ' ';
    }
}

// Removes every XML declaration after the one that may open the document.
void RemoveLaterDeclarations(std::string& bytes)
{
    std::size_t from = StartOfText(bytes);
    if (IsDeclarationAt(bytes, from))
        from += 5;
    std::size_t pos = bytes.find("<?xml", from);
    while (pos != std::string::npos) {
        if (!IsDeclarationAt(bytes, pos)) {
            pos = bytes.find("<?xml", pos + 1);
            continue;
        }
        const std::size_t end = bytes.find("?>", pos);
        bytes.erase(pos, end == std::string::npos ? std::string::npos : end + 2 - pos);
        pos = bytes.find("<?xml", pos);
    }
}

bool DeclaresEncoding(const std::string& bytes)
{
    const std::size_t start = StartOfText(bytes);
    if (!IsDeclarationAt(bytes, start))
        return false;
    const std::size_t end = bytes.find("?>", start);
    return bytes.substr(start, end == std::string::npos ? std::string::npos : end - start).find("encoding") !=
           std::string::npos;
}

// What the parser reports: its first error (later ones mostly echo it), and
// whether the document tried to declare a document type.
struct TParseReport {
    bool errorFound = false;
    std::string reason;
    bool doctypeFound = false;
};

std::string TrimmedMessage(const char* message)
{
    std::string text = message ? message : "";
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.pop_back();
    return text;
}

void RecordFirstError(void* userData, xmlErrorPtr error)
{
    auto* context = static_cast<xmlParserCtxtPtr>(userData);
    auto* report = static_cast<TParseReport*>(context->_private);
    if (report->errorFound || !error || error->level < XML_ERR_ERROR)
        return;
    report->errorFound = true;
    report->reason = TrimmedMessage(error->message);
}

// Called at "<!DOCTYPE", before any declaration inside it is read.
void StopAtDocumentType(void* userData, const xmlChar*, const xmlChar*, const xmlChar*)
{
    auto* context = static_cast<xmlParserCtxtPtr>(userData);
    static_cast<TParseReport*>(context->_private)->doctypeFound = true;
    xmlStopParser(context);
}

// ---- writing ------------------------------------------------------------------

struct TWriteState {
    const TRecordsetXmlDocument::TByteSink* sink = nullptr;
    std::exception_ptr error;
};

int WriteToSink(void* context, const char* buffer, int length)
{
    auto* state = static_cast<TWriteState*>(context);
    try {
        (*state->sink)(buffer, static_cast<std::size_t>(length));
        return length;
    } catch (...) {
        state->error = std::current_exception();
        return -1;
    }
}

}  // namespace

TRecordsetXmlDocument::TRecordsetXmlDocument() : doc_(xmlNewDoc(BAD_CAST "1.0"))
{
    if (!doc_)
        throw ECriticalTolvexException("Out of memory");
    xmlDocSetRootElement(doc_, xmlNewDocNode(doc_, nullptr, BAD_CAST kRootName, nullptr));
}

TRecordsetXmlDocument::~TRecordsetXmlDocument()
{
    xmlFreeDoc(doc_);
}

TRecordsetXmlDocument::TRecordsetXmlDocument(TRecordsetXmlDocument&& other) noexcept
    : doc_(std::exchange(other.doc_, nullptr))
{
}

TRecordsetXmlDocument& TRecordsetXmlDocument::operator=(TRecordsetXmlDocument&& other) noexcept
{
    if (this != &other) {
        xmlFreeDoc(doc_);
        doc_ = std::exchange(other.doc_, nullptr);
    }
    return *this;
}

xmlNodePtr TRecordsetXmlDocument::Root() const
{
    return xmlDocGetRootElement(doc_);
}

// ---- reading ------------------------------------------------------------------

TRecordsetXmlDocument TRecordsetXmlDocument::Parse(std::string bytes)
{
    if (bytes.size() > static_cast<std::size_t>(INT_MAX))
        throw EPublisherTolvexException("The document is too large");
    if (!IsWideEncoding(bytes)) {
        BlankControlBytes(bytes);
        RemoveLaterDeclarations(bytes);
    }
    const bool latin1 = !IsWideEncoding(bytes) && !DeclaresEncoding(bytes) &&
                        !xmlCheckUTF8(Xml(bytes) + StartOfText(bytes));

    TXmlParserPtr context(xmlNewParserCtxt());
    if (!context)
        throw ECriticalTolvexException("Out of memory");
    TParseReport report;
    context->_private = &report;
    context->sax->serror = RecordFirstError;
    context->sax->internalSubset = StopAtDocumentType;
    // Huge text nodes are allowed (large blobs); the caller bounds the size
    // of the whole document.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA |
                        XML_PARSE_HUGE;
    xmlDocPtr doc = xmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                      latin1 ? "ISO-8859-1" : nullptr, options);
    TRecordsetXmlDocument document(doc);
    if (report.doctypeFound)
        throw EPublisherTolvexException("The document declares a document type, which is not allowed");
    if (!doc || !context->wellFormed || !document.Root())
        throw EPublisherTolvexException(report.errorFound ? report.reason : "The document is not well-formed");
    return document;
}

// ---- writing ------------------------------------------------------------------

void TRecordsetXmlDocument::Save(const TByteSink& sink) const
{
    TWriteState state{&sink, nullptr};
    xmlOutputBufferPtr out =
        xmlOutputBufferCreateIO(WriteToSink, nullptr, &state, xmlFindCharEncodingHandler("ISO-8859-1"));
    if (!out)
        throw ECriticalTolvexException("Out of memory");
    const std::string rootName = Name(Root());
    xmlOutputBufferWriteString(out, kDeclaration);
    xmlOutputBufferWriteString(out, ("<" + rootName + ">").c_str());
    for (xmlNodePtr child : ChildElements(Root())) {
        xmlNodeDumpOutput(out, doc_, child, 0, 0, "ISO-8859-1");
        xmlOutputBufferWriteString(out, kLineBreak);
    }
    xmlOutputBufferWriteString(out, ("</" + rootName + ">" + kLineBreak).c_str());
    const int failed = out->error;
    const int closed = xmlOutputBufferClose(out);
    if (state.error)
        std::rethrow_exception(state.error);
    if (failed || closed < 0)
        throw ECriticalTolvexException("The record-set document could not be written");
}

void TRecordsetXmlDocument::SaveToFile(const std::string& fileName) const
{
    std::ostringstream content;
    Save([&content](const char* data, std::size_t size) { content.write(data, static_cast<std::streamsize>(size)); });
    if (!WriteFileAtomically(fileName, content.str(), 0666, nullptr, TDurability::Scratch))
        throw ECriticalTolvexException("Cannot write the file \"" + fileName + "\"");
}

// ---- nodes ----------------------------------------------------------------------

xmlNodePtr TRecordsetXmlDocument::AddElement(xmlNodePtr parent, const std::string& name)
{
    if (name.empty() || xmlValidateName(Xml(name), 0) != 0)
        throw EDeveloperTolvexException("\"" + name + "\" cannot be the name of an XML element");
    // The document is written in ISO-8859-1, and a name cannot hold a
    // character reference: a name with any other character could not be
    // read back.
    if (!IsLatin1(name))
        throw EDeveloperTolvexException("\"" + name +
                                        "\" cannot be the name of an element of a record-set document: it holds "
                                        "a character outside ISO-8859-1");
    return xmlAddChild(parent, xmlNewDocNode(parent->doc, nullptr, Xml(name), nullptr));
}

void TRecordsetXmlDocument::SetText(xmlNodePtr element, const std::string& text)
{
    xmlNodeSetContent(element, nullptr);
    if (!text.empty())
        xmlAddChild(element, xmlNewDocText(element->doc, Xml(SafeText(text))));
}

void TRecordsetXmlDocument::SetAttribute(xmlNodePtr element, const char* name, const std::string& value)
{
    xmlSetProp(element, BAD_CAST name, Xml(SafeText(value)));
}

bool TRecordsetXmlDocument::GetAttribute(xmlNodePtr element, const char* name, std::string& value)
{
    TXmlStringPtr text(xmlGetProp(element, BAD_CAST name));
    if (!text)
        return false;
    value = FromXml(text.get());
    return true;
}

std::string TRecordsetXmlDocument::Text(xmlNodePtr element)
{
    TXmlStringPtr text(xmlNodeGetContent(element));
    return FromXml(text.get());
}

std::vector<xmlNodePtr> TRecordsetXmlDocument::ChildElements(xmlNodePtr element)
{
    std::vector<xmlNodePtr> children;
    for (xmlNodePtr child = element ? element->children : nullptr; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE)
            children.push_back(child);
    return children;
}

std::string TRecordsetXmlDocument::Name(xmlNodePtr element)
{
    return FromXml(element->name);
}

std::string TRecordsetXmlDocument::SafeText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    const auto* bytes = Xml(text);
    for (std::size_t pos = 0; pos < text.size();) {
        int length = static_cast<int>(std::min<std::size_t>(4, text.size() - pos));
        const int code = xmlGetUTF8Char(bytes + pos, &length);
        if (code < 0 || length <= 0) {
            AppendLatin1(out, bytes[pos]);
            ++pos;
            continue;
        }
        if (xmlIsCharQ(code))
            out.append(text, pos, static_cast<std::size_t>(length));
        else
            out += ' ';
        pos += static_cast<std::size_t>(length);
    }
    return out;
}
