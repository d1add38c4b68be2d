// The files that a transformation includes and reads: the templates, the
// language resources and the default custom templates; and the rules read
// back from the template files.
#include "generation/Templates.h"

#include "common/CommonFunctions.h"
#include "common/FileContent.h"
#include "generation/TransformerCatalog.h"
#include "generation/TemplatesRuleCache.h"
#include "generation/TolvexNamespace.h"
#include "storage/CatalogTables.h"
#include "storage/QueryGuard.h"
#include "storage/SqlIdentifier.h"

#include <algorithm>
#include <iterator>
#include <sys/stat.h>


namespace {

// How many texts of work files keep their numbers (WorkFileVersion).
constexpr std::size_t kRememberedVersions = 64;

// Report items of this type take the common templates of reports.
constexpr int kOtherOutputReportType = 7001;
constexpr int kHtmlReportType = 7003;
const char* const kEmptyBodyTemplate =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\"/>\n";

// The namespace of the prefix "alt" in the default custom templates.
const char* const AltNamespaceUri = "urn:tolvex:web-services";

// The identity of a file as the file system keeps it: device, inode, size
// and times of change; empty when it does not exist. Every writer that
// replaces or changes the file changes it.
std::string FileIdentity(const std::string& fileName)
{
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0)
        return "";
    const auto part = [](auto value) { return std::to_string(value) + ":"; };
    return part(info.st_dev) + part(info.st_ino) + part(info.st_size) + part(info.st_mtim.tv_sec) +
           part(info.st_mtim.tv_nsec) + part(info.st_ctim.tv_sec) + part(info.st_ctim.tv_nsec);
}

}  // namespace

// Writes a work file, unless it still holds what was written into it last:
// the templates stay the same from page to page of a run.
void TTemplates::WriteFile(const std::string& name, const std::string& text)
{
    const std::string fileName = previewDir_ + "/" + name;
    stamps_[name] = stamp_;
    if (run_)
        run_->stampHistory[name].push_back(stamp_);
    const auto known = writtenFiles_.find(name);
    // During a run only this service writes the work folder.
    if (known != writtenFiles_.end() && known->second.text == text && run_ && run_->readSinceWrite.count(name))
        return;
    if (known != writtenFiles_.end() && known->second.text == text && !known->second.identity.empty() &&
        known->second.identity == FileIdentity(fileName)) {
        if (run_)
            run_->readSinceWrite.emplace(name, false);
        return;
    }
    TCommonFunctions::SaveWorkFile(text, fileName);
    writtenFiles_[name] = TWrittenFile{text, FileIdentity(fileName)};
    if (run_)
        run_->readSinceWrite[name] = false;
}

bool TTemplates::WriteTemplateFiles(int itemType, int masterTemplateId, TAbstractDBConnection& connection,
                                    const std::string& catalogCode, int bodyTemplateId)
{
    const std::string master = GetTemplateXsl(masterTemplateId, catalogCode, connection);
    std::string body = GetTemplateXsl(bodyTemplateId, catalogCode, connection);
    const int commonType = itemType == kOtherOutputReportType ? kReportCommonTemplatesType : kPageCommonTemplatesType;
    const std::string common = GetTemplateXslOfType(commonType, catalogCode, connection);
    if (master.empty() || common.empty())
        return false;
    WriteFile("master.xsl", master);
    // A report is made by its own template alone: without a body template of
    // its own it gets an empty one, never a page's, which calls the page
    // common templates a report does not include.
    if (body.empty())
        body = itemType == kOtherOutputReportType || itemType == kHtmlReportType ? kEmptyBodyTemplate
                                                                                 : catalog_.GetCatalogTypeBodyTemplate();
    WriteFile("body.xsl", body);
    WriteFile("common.xsl", common);
    return true;
}

std::map<std::string, long> TTemplates::WorkFileStampsBefore(long before) const
{
    std::map<std::string, long> stamps;
    if (!run_)
        return stamps;
    for (const auto& [name, history] : run_->stampHistory) {
        // The marks of one service only grow: its pages come in order.
        const auto after = std::lower_bound(history.begin(), history.end(), before);
        if (after != history.begin())
            stamps[name] = *std::prev(after);
    }
    return stamps;
}

const std::string* TTemplates::WorkFileText(const std::string& name)
{
    if (run_) {
        const auto written = run_->readSinceWrite.find(name);
        const auto known = readFiles_.find(name);
        if (written != run_->readSinceWrite.end() && written->second && known != readFiles_.end())
            return &known->second.text;
    }
    const std::string fileName = previewDir_ + "/" + name;
    // The identity is taken before reading: a change while reading makes
    // the next call read again.
    const std::string identity = FileIdentity(fileName);
    if (identity.empty())
        return nullptr;
    const auto known = readFiles_.find(name);
    if (known != readFiles_.end() && known->second.identity == identity) {
        if (run_ && run_->readSinceWrite.count(name))
            run_->readSinceWrite[name] = true;
        return &known->second.text;
    }
    std::optional<std::string> text = ReadFileContent(fileName);
    if (!text)
        return nullptr;
    TReadFile& read = readFiles_[name];
    if (read.version == 0 || read.text != *text) {
        // More texts than the compiled sheets kept could need: start afresh.
        if (versions_.size() >= kRememberedVersions)
            versions_.clear();
        const auto [known, added] = versions_.try_emplace(*text, lastVersion_ + 1);
        if (added)
            ++lastVersion_;
        read.version = known->second;
    }
    read.text = std::move(*text);
    read.identity = identity;
    if (run_) {
        const auto written = run_->readSinceWrite.find(name);
        if (written != run_->readSinceWrite.end())
            written->second = true;
    }
    return &read.text;
}

long TTemplates::WorkFileVersion(const std::string& name)
{
    if (!WorkFileText(name))
        return 0;
    return readFiles_[name].version;
}

void TTemplates::ReadRules(std::vector<std::string>& list, const std::string& predicate)
{
    const std::string* master = WorkFileText("master.xsl");
    const std::string* body = WorkFileText("body.xsl");
    if (!master || !body)
        return;
    std::vector<std::string> masterRules;
    std::vector<std::string> bodyRules;
    if (!ruleCache_->GetRules(*master, predicate, masterRules) || !ruleCache_->GetRules(*body, predicate, bodyRules))
        return;
    list.insert(list.end(), masterRules.begin(), masterRules.end());
    list.insert(list.end(), bodyRules.begin(), bodyRules.end());
}

bool TTemplates::WriteResourceFile(const std::string& langCode, TAbstractDBConnection& connection)
{
    std::shared_ptr<const std::string> text;
    const std::string key = RunKey(langCode, connection);
    if (run_ && run_->resources.count(key)) {
        text = run_->resources[key];
    } else {
        text = ReadResource(langCode, connection);
        if (run_)
            run_->resources[key] = text;
    }
    if (!text)
        return false;
    WriteFile(langCode + ".xml", *text);
    return true;
}

std::unique_ptr<std::string> TTemplates::ReadResource(const std::string& langCode, TAbstractDBConnection& connection)
{
    TQueryGuard query(connection);
    query->SetSQL("SELECT a.TextValue FROM CText AS a WHERE a.CatalogCode = :CatalogCode AND a.ItemId IN "
                  "(SELECT b.ItemId FROM Items AS b WHERE b.CatalogCode = :CatalogCode AND b.ItemType = " +
                  std::to_string(kLanguageResourceType) + ") AND a.ClassId = " + std::to_string(kXslSourceClass) +
                  " AND a.MemberId = 1 AND a.LangCode = :LangCode AND a.TextValue LIKE :TextValue" +
                  kLikeEscapeClause);
    query->SetParam("CatalogCode", catalog_.GetCatalogCode());
    query->SetParam("LangCode", kNoLanguageCode);
    query->SetParam("TextValue", "%" + LikeLiteral("lang=\"" + langCode + "\"") + "%");
    TAbstractRecordset& rows = query->Open(true);
    if (rows.Eof())
        return nullptr;
    auto text = std::make_unique<std::string>(TCommonFunctions::VariantToString(rows.Field("TextValue")));
    query->Close();
    return text;
}

bool TTemplates::SaveTemplateToFile(int itemId, const std::string& fileName, TAbstractDBConnection& connection)
{
    TQueryGuard query(connection);
    query->SetSQL("SELECT a.TextValue FROM CText AS a WHERE a.CatalogCode = :CatalogCode AND a.ItemId = " +
                  std::to_string(itemId) + " AND a.ClassId = " + std::to_string(kXslSourceClass) +
                  " AND a.MemberId = 1");
    query->SetParam("CatalogCode", catalog_.GetCatalogCode());
    TAbstractRecordset& rows = query->Open(true);
    if (rows.Eof())
        return false;
    const std::string text = TCommonFunctions::VariantToString(rows.Field("TextValue"));
    query->Close();
    TCommonFunctions::SaveStringToFile(text, fileName);
    return true;
}

std::string TTemplates::GetDefaultCustomXsl()
{
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                       "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\"\r\n"
                       "       xmlns:alt=\"" + std::string(AltNamespaceUri) + "\"\r\n"
                       "       xmlns:" + TolvexNamespacePrefix + "=\"" + TolvexNamespaceUri + "\">\r\n";
    for (const char* name : {"custom", "custom1", "custom2", "custom3", "custom4", "custom5"})
        text += "<xsl:template name=\"" + std::string(name) + "\"/>\r\n";
    return text + "\r\n</xsl:stylesheet>\r\n";
}
