#include "publishing/FtpChangeList.h"

#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "storage/RecordsetXmlInput.h"
#include "storage/RecordsetXmlOutput.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <sstream>

namespace {

struct TDocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
struct TXmlFree {
    void operator()(xmlChar* text) const { xmlFree(text); }
};

std::string Attribute(xmlNode* node, const char* name, bool& present)
{
    std::unique_ptr<xmlChar, TXmlFree> value(xmlGetProp(node, reinterpret_cast<const xmlChar*>(name)));
    present = value != nullptr;
    return value ? std::string(reinterpret_cast<const char*>(value.get())) : std::string();
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// An attribute value: EncodeXmlText drops blank text, which a name never is
// but a catalog code might be.
std::string AttributeText(const std::string& text)
{
    return TCommonFunctions::EncodeXmlText(text);
}

}  // namespace

void TFtpChangeList::Load(const std::string& compressed)
{
    hasRoot_ = false;
    catalogCode_.clear();
    entries_.clear();
    index_.clear();
    std::string text;
    try {
        std::istringstream stream(compressed);
        text = ReadRecordsetXmlInput(stream, true, kMaxDocumentBytes);
    } catch (const EPublisherTolvexException&) {
        return;
    }
    text = TCommonFunctions::AnsiToWide(text);
    std::unique_ptr<xmlDoc, TDocFree> doc(xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                                                        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    if (!root)
        return;
    hasRoot_ = true;
    bool present = false;
    catalogCode_ = Attribute(root, "CatalogCode", present);
    for (xmlNode* node = root->children; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE || xmlStrcmp(node->name, reinterpret_cast<const xmlChar*>("File")) != 0)
            continue;
        bool hasName = false;
        const std::string name = Attribute(node, "Name", hasName);
        bool hasCrc = false;
        const std::string crc = Attribute(node, "CRC32", hasCrc);
        if (!hasName)
            continue;
        auto found = index_.find(name);
        if (found != index_.end()) {
            entries_[found->second].second = crc;
        } else {
            index_.emplace(name, entries_.size());
            entries_.emplace_back(name, crc);
        }
    }
}

void TFtpChangeList::EnsureRoot(const std::string& catalogCode)
{
    if (hasRoot_)
        return;
    hasRoot_ = true;
    catalogCode_ = catalogCode;
}

bool TFtpChangeList::IsChanged(const std::string& name, std::uint32_t crc) const
{
    auto found = index_.find(name);
    return found == index_.end() || entries_[found->second].second != CrcText(crc);
}

void TFtpChangeList::Record(const std::string& name, std::uint32_t crc)
{
    auto found = index_.find(name);
    if (found != index_.end()) {
        entries_[found->second].second = CrcText(crc);
        return;
    }
    index_.emplace(name, entries_.size());
    entries_.emplace_back(name, CrcText(crc));
}

void TFtpChangeList::Restore(const std::string& name, const std::string& crcText)
{
    auto found = index_.find(name);
    if (found != index_.end()) {
        entries_[found->second].second = crcText;
        return;
    }
    index_.emplace(name, entries_.size());
    entries_.emplace_back(name, crcText);
}

std::map<std::string, std::string> TFtpChangeList::Forget(const std::set<std::string>& names)
{
    std::map<std::string, std::string> removed;
    std::vector<std::pair<std::string, std::string>> kept;
    for (auto& entry : entries_) {
        if (names.count(entry.first))
            removed.insert(std::move(entry));
        else
            kept.push_back(std::move(entry));
    }
    entries_ = std::move(kept);
    index_.clear();
    for (std::size_t i = 0; i < entries_.size(); ++i)
        index_.emplace(entries_[i].first, i);
    return removed;
}

std::string TFtpChangeList::Xml() const
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Files CatalogCode=\"" +
                      AttributeText(catalogCode_) + "\">";
    for (const auto& [name, crc] : entries_)
        xml += "<File Name=\"" + AttributeText(name) + "\" CRC32=\"" + AttributeText(crc) + "\"/>";
    xml += "</Files>\r\n";
    return xml;
}

std::string TFtpChangeList::Compressed() const
{
    std::ostringstream stream;
    TRecordsetXmlOutput output(stream, true);
    const std::string xml = Xml();
    output.Write(xml.data(), xml.size());
    output.Finish();
    return stream.str();
}

std::string TFtpChangeList::CrcText(std::uint32_t crc)
{
    return std::to_string(static_cast<std::int64_t>(static_cast<std::int32_t>(crc)));
}

std::string TFtpChangeList::EntryName(const std::string& stagingFolder, const std::string& fileName)
{
    std::string name = Lower(fileName);
    const std::string folder = Lower(stagingFolder);
    if (name.compare(0, folder.size(), folder) == 0)
        name.erase(0, folder.size());
    std::replace(name.begin(), name.end(), '/', '\\');
    if (name.empty() || name.front() != '\\')
        name.insert(name.begin(), '\\');
    return name;
}
