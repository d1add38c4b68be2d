#include "publishing/HtmlLoader.h"

#include "common/CommonFunctionsDetail.h"
#include "common/FileContent.h"
#include "publishing/HttpClient.h"

#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>
#include <libxml/encoding.h>
#include <libxml/parserInternals.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace {

// The page is handed to the parser in pieces, so that the time limit and a
// stop are seen while a large page is parsed.
constexpr std::size_t kChunkBytes = 64 * 1024;

constexpr int kParseOptions =
    HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET | HTML_PARSE_COMPACT;

std::string ToString(const xmlChar* text) { return text ? reinterpret_cast<const char*>(text) : std::string(); }

// Meta elements that name a charset name UTF-8, the encoding the text is written in.
void MarkUtf8(xmlNode* node)
{
    for (xmlNode* child = node ? node->children : nullptr; child; child = child->next) {
        if (THtmlLoader::IsElement(child, "meta")) {
            if (xmlHasProp(child, BAD_CAST "charset"))
                xmlSetProp(child, BAD_CAST "charset", BAD_CAST "utf-8");
            const std::string equiv = common_detail::LowerCase(THtmlLoader::Attribute(child, "http-equiv"));
            if (equiv == "content-type")
                xmlSetProp(child, BAD_CAST "content", BAD_CAST "text/html; charset=utf-8");
        }
        MarkUtf8(child);
    }
}

std::string DumpNodes(xmlDoc* doc, const xmlNode* first)
{
    xmlOutputBuffer* out = xmlAllocOutputBuffer(nullptr);
    if (!out)
        return {};
    for (const xmlNode* node = first; node; node = node->next)
        htmlNodeDumpFormatOutput(out, doc, const_cast<xmlNode*>(node), "UTF-8", 0);
    xmlOutputBufferFlush(out);
    std::string text(reinterpret_cast<const char*>(xmlOutputBufferGetContent(out)), xmlOutputBufferGetSize(out));
    xmlOutputBufferClose(out);
    return text;
}

bool IsUtf8(const std::string& bytes)
{
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[at]);
        const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || at + length > bytes.size())
            return false;
        for (std::size_t i = 1; i < length; ++i)
            if ((static_cast<unsigned char>(bytes[at + i]) & 0xC0) != 0x80)
                return false;
        at += length;
    }
    return true;
}

// The charset a meta element near the start of the page declares, as
// browsers look for it before they parse; empty when none does.
std::string MetaCharset(const std::string& bytes)
{
    const std::string head = common_detail::LowerCase(bytes.substr(0, 4096));
    for (std::size_t meta = head.find("<meta"); meta != std::string::npos; meta = head.find("<meta", meta + 5)) {
        const std::size_t end = head.find('>', meta);
        const std::string tag = head.substr(meta, end == std::string::npos ? std::string::npos : end - meta);
        const std::size_t charset = tag.find("charset");
        if (charset == std::string::npos)
            continue;
        std::size_t at = tag.find_first_not_of(" \t\r\n", charset + 7);
        if (at == std::string::npos || tag[at] != '=')
            continue;
        at = tag.find_first_not_of(" \t\r\n\"'", at + 1);
        if (at == std::string::npos)
            continue;
        const std::size_t stop = tag.find_first_of(" \t\r\n\"';/", at);
        return tag.substr(at, stop == std::string::npos ? std::string::npos : stop - at);
    }
    return {};
}

// The encoding of a page: the charset the server sent, else a byte-order
// mark (Skip gets its length), else a meta element's charset, else UTF-8
// when the bytes are UTF-8 and windows-1252 (which browsers read for
// ISO-8859-1) when they are not.
std::string EncodingOf(const std::string& bytes, const std::string& contentType, std::size_t& skip)
{
    skip = 0;
    struct TMark {
        const char* Bytes;
        const char* Encoding;
    };
    static const TMark kMarks[] = {{"\xEF\xBB\xBF", "UTF-8"}, {"\xFF\xFE", "UTF-16LE"}, {"\xFE\xFF", "UTF-16BE"}};
    std::string encoding = THtmlLoader::Charset(contentType);
    for (const TMark& mark : kMarks)
        if (bytes.rfind(mark.Bytes, 0) == 0) {
            skip = std::char_traits<char>::length(mark.Bytes);
            if (encoding.empty())
                encoding = mark.Encoding;
        }
    if (encoding.empty())
        encoding = MetaCharset(bytes);
    if (encoding.empty())
        encoding = IsUtf8(bytes) ? "UTF-8" : "windows-1252";
    const std::string lower = common_detail::LowerCase(encoding);
    if (lower == "iso-8859-1" || lower == "latin1" || lower == "us-ascii")
        encoding = "windows-1252";
    // A name the converter does not know is read as UTF-8.
    if (xmlCharEncodingHandler* handler = xmlFindCharEncodingHandler(encoding.c_str()))
        xmlCharEncCloseFunc(handler);
    else
        encoding = "UTF-8";
    return encoding;
}

}  // namespace

void THtmlLoader::SetLimits(std::int64_t maxBytes, long timeoutSeconds)
{
    maxBytes_ = maxBytes;
    timeoutSeconds_ = timeoutSeconds;
}

bool THtmlLoader::TimeIsUp(std::chrono::steady_clock::time_point deadline)
{
    if (Stopped && Stopped()) {
        error_ = "The load was stopped";
        return true;
    }
    if (std::chrono::steady_clock::now() > deadline) {
        error_ = "The page took longer than " + std::to_string(timeoutSeconds_) + " seconds to load";
        return true;
    }
    return false;
}

xmlNode* THtmlLoader::LoadFromMemory(const std::string& bytes, const std::string& url, const std::string& contentType)
{
    if (started_ == std::chrono::steady_clock::time_point{})
        started_ = std::chrono::steady_clock::now();
    const auto deadline = started_ + std::chrono::seconds(timeoutSeconds_);
    started_ = {};
    doc_.reset();
    error_.clear();
    if (static_cast<std::int64_t>(bytes.size()) > maxBytes_) {
        error_ = "The page is larger than " + std::to_string(maxBytes_) + " bytes";
        return nullptr;
    }
    if (bytes.empty()) {
        error_ = "The page is empty";
        return nullptr;
    }
    std::size_t skip = 0;
    const std::string encoding = EncodingOf(bytes, contentType, skip);
    htmlParserCtxtPtr context =
        htmlCreatePushParserCtxt(nullptr, nullptr, nullptr, 0, url.empty() ? nullptr : url.c_str(), XML_CHAR_ENCODING_NONE);
    if (!context) {
        error_ = "The HTML parser cannot be started";
        return nullptr;
    }
    TXmlParserPtr owner(context);
    int options = kParseOptions;
    if (xmlCharEncodingHandler* handler = xmlFindCharEncodingHandler(encoding.c_str())) {
        xmlSwitchToEncoding(context, handler);
        options |= HTML_PARSE_IGNORE_ENC;
    }
    htmlCtxtUseOptions(context, options);
    for (std::size_t at = skip; at < bytes.size(); at += kChunkBytes) {
        if (TimeIsUp(deadline)) {
            xmlFreeDoc(context->myDoc);
            context->myDoc = nullptr;
            return nullptr;
        }
        const std::size_t size = std::min(kChunkBytes, bytes.size() - at);
        htmlParseChunk(context, bytes.data() + at, static_cast<int>(size), 0);
    }
    htmlParseChunk(context, nullptr, 0, 1);
    doc_.reset(context->myDoc);
    context->myDoc = nullptr;
    if (!Root()) {
        doc_.reset();
        error_ = "The page holds no HTML";
        return nullptr;
    }
    return Root();
}

xmlNode* THtmlLoader::LoadFromFile(const std::string& fileName)
{
    started_ = std::chrono::steady_clock::now();
    std::error_code sizeError;
    const auto size = std::filesystem::file_size(fileName, sizeError);
    if (!sizeError && static_cast<std::int64_t>(size) > maxBytes_) {
        doc_.reset();
        error_ = "The page is larger than " + std::to_string(maxBytes_) + " bytes";
        return nullptr;
    }
    const std::optional<std::string> content = ReadFileContent(fileName);
    if (!content) {
        doc_.reset();
        error_ = "Cannot read the file " + fileName;
        return nullptr;
    }
    return LoadFromMemory(*content, fileName);
}

xmlNode* THtmlLoader::LoadFromUrl(const std::string& url, THttpClient& client, THttpResponse* response)
{
    started_ = std::chrono::steady_clock::now();
    doc_.reset();
    client.SetLimits(maxBytes_, timeoutSeconds_);
    std::ostringstream page;
    const THttpResponse answer = client.Get(url, page);
    if (response)
        *response = answer;
    if (answer.StatusCode < 200 || answer.StatusCode > 299) {
        error_ = "HTTP status " + std::to_string(answer.StatusCode);
        started_ = {};
        return nullptr;
    }
    return LoadFromMemory(page.str(), url, answer.ContentType);
}

xmlNode* THtmlLoader::Root() const
{
    return doc_ ? xmlDocGetRootElement(doc_.get()) : nullptr;
}

xmlNode* THtmlLoader::Body() const
{
    return doc_ ? FindElement(reinterpret_cast<xmlNode*>(doc_.get()), "body") : nullptr;
}

std::string THtmlLoader::Html() const
{
    if (!doc_)
        return {};
    MarkUtf8(reinterpret_cast<xmlNode*>(doc_.get()));
    return DumpNodes(doc_.get(), doc_->children);
}

// ---- walking a tree ------------------------------------------------------------------------

bool THtmlLoader::IsElement(const xmlNode* node, const char* name)
{
    return node && node->type == XML_ELEMENT_NODE && xmlStrcasecmp(node->name, BAD_CAST name) == 0;
}

void THtmlLoader::CollectElements(xmlNode* node, const char* name, std::vector<xmlNode*>& found)
{
    for (xmlNode* child = node ? node->children : nullptr; child; child = child->next) {
        if (IsElement(child, name))
            found.push_back(child);
        CollectElements(child, name, found);
    }
}

xmlNode* THtmlLoader::FindElement(xmlNode* node, const char* name)
{
    for (xmlNode* child = node ? node->children : nullptr; child; child = child->next) {
        if (IsElement(child, name))
            return child;
        if (xmlNode* inner = FindElement(child, name))
            return inner;
    }
    return nullptr;
}

std::string THtmlLoader::Attribute(const xmlNode* node, const char* name)
{
    const TXmlStringPtr value(xmlGetProp(node, BAD_CAST name));
    return ToString(value.get());
}

std::string THtmlLoader::Text(const xmlNode* node)
{
    const TXmlStringPtr text(xmlNodeGetContent(node));
    return ToString(text.get());
}

std::string THtmlLoader::InnerHtml(xmlDoc* doc, const xmlNode* node)
{
    return node ? DumpNodes(doc, node->children) : std::string();
}

// ---- content types ----------------------------------------------------------------------------

std::string THtmlLoader::MediaType(const std::string& contentType)
{
    return common_detail::LowerCase(common_detail::Trim(contentType.substr(0, contentType.find(';'))));
}

std::string THtmlLoader::Charset(const std::string& contentType)
{
    std::size_t at = contentType.find(';');
    while (at != std::string::npos) {
        const std::size_t next = contentType.find(';', at + 1);
        const std::string parameter = common_detail::Trim(contentType.substr(at + 1, next - at - 1));
        const std::size_t equals = parameter.find('=');
        if (equals != std::string::npos &&
            common_detail::LowerCase(common_detail::Trim(parameter.substr(0, equals))) == "charset") {
            std::string value = common_detail::Trim(parameter.substr(equals + 1));
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            return value;
        }
        at = next;
    }
    return {};
}
