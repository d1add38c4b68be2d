#include "generation/Transformer.h"

#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Log.h"
#include "common/Translation.h"
#include "generation/TransformerCatalog.h"
#include "generation/PageDocument.h"
#include "generation/PageXmlSource.h"
#include "generation/Templates.h"
#include "generation/TransformerWorkFiles.h"
#include "generation/XmlBuilderRunCache.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

#include <algorithm>

namespace {

// The class of a source page of item types 401 to 405.
const char* const SourceClasses[] = {"HtmlData", "ASPData", "JSPData", "PHPData", "ShtmlData"};
constexpr int kFirstSourceType = 401;
constexpr int kLastSourceType = 405;

bool LessIgnoringCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return common_detail::LowerAscii(x) < common_detail::LowerAscii(y);
    });
}

}  // namespace

TTransformer::TTransformer(TTransformerCatalog& catalog, const std::string& catalogCode, TLog* log)
    : catalog_(catalog), log_(log), catalogCode_(catalogCode), templateCatalogCode_(catalogCode),
      workDir_(catalog.GetPreviewDir()), pageDocument_(NewPageDocument()),
      builder_(catalog.CreatePageXmlSource(pageDocument_->Document(), log))
{
}

TTransformer::~TTransformer() = default;

// During a publishing run the page documents keep their names with the
// run's kept menu elements, which are then lent to them.
std::shared_ptr<TPageDocument> TTransformer::NewPageDocument() const
{
    const TXmlBuilderRunCache* run = catalog_.GetTemplates().BuilderRunCache();
    return run ? std::make_shared<TPageDocument>(catalogCode_, run->Kept())
               : std::make_shared<TPageDocument>(catalogCode_);
}

// ---- options ------------------------------------------------------------------------

void TTransformer::SetOutputKind(bool forHost, const std::string& extension)
{
    forHost_ = forHost;
    outputExtension_ = extension;
}

void TTransformer::SetPublishMode(const std::string& mode)
{
    publishMode_ = mode;
}

void TTransformer::SetPageNumber(int number)
{
    pageNumber_ = number;
}

void TTransformer::SetParameter(const std::string& name, const std::string& value)
{
    for (auto& [entryName, entryValue] : parameters_)
        if (common_detail::SameText(entryName, name)) {
            entryValue = value;
            return;
        }
    parameters_.emplace_back(name, value);
}

void TTransformer::SetTemplates(int masterTemplateId, int bodyTemplateId, int colorScheme, int fontScheme,
                                int backgroundImageCode)
{
    fixedTemplates_ = true;
    masterTemplateId_ = masterTemplateId;
    bodyTemplateId_ = bodyTemplateId;
    fixedColorScheme_ = colorScheme;
    fixedFontScheme_ = fontScheme;
    fixedBackgroundImageCode_ = backgroundImageCode;
}

void TTransformer::SetTemplateSource(const std::string& catalogCode, TAbstractDBConnection& connection)
{
    templateCatalogCode_ = catalogCode;
    templateConnection_ = &connection;
    templatesFromOtherCatalog_ = true;
}

void TTransformer::KeepWorkFiles(TTransformerWorkFiles& files, long sequence)
{
    keptWorkFiles_ = &files;
    workFileSequence_ = sequence;
}

void TTransformer::SaveWorkText(const std::string& name, const std::string& text)
{
    if (keptWorkFiles_)
        keptWorkFiles_->KeepText(name, text, workFileSequence_);
    else
        TCommonFunctions::SaveWorkFile(text, workDir_ + "/" + name);
}

// ---- generation -----------------------------------------------------------------------

TTransformer::TPageKind TTransformer::KindOf(int itemType)
{
    if (itemType >= kFirstSourceType && itemType <= kLastSourceType)
        return TPageKind::Source;
    if (itemType == 517 || itemType == 519)
        return TPageKind::TemplateItself;
    if (itemType == 7001 || itemType == 7003)
        return TPageKind::Report;
    return TPageKind::WebPage;
}

bool TTransformer::GeneratePage(int sourceItemId, int treeItemId, int itemType, const std::string& langCode,
                                TAbstractObjectCollection& collection, TAbstractDBConnection& connection,
                                const std::string& previewRole)
{
    ResetForPage();
    treeItemId_ = treeItemId;
    pageFileName_.reset();
    itemType_ = itemType;
    langCode_ = langCode;
    collection_ = &collection;
    connection_ = &connection;
    previewRole_ = previewRole;
    itemId_ = catalog_.GetLinkedItemId(sourceItemId, catalogCode_, connection);
    if (!templatesFromOtherCatalog_)
        templateConnection_ = &connection;
    if (keptWorkFiles_)
        Templates().SetWorkFileStamp(workFileSequence_);

    bool finished = false;
    const bool prepared = PreparePage(sourceItemId, finished);
    if (finished || !prepared)
        return prepared;

    if (!Templates().WriteTemplateFiles(itemType_, masterTemplateId_, *templateConnection_, templateCatalogCode_,
                                        bodyTemplateId_)) {
        errorText_ = Translate("Cannot load templates");
        return false;
    }
    std::vector<std::string> rules;
    Templates().ReadRules(rules);
    AddRules(rules);
    catalog_.SetCurrentTemplateIds(masterTemplateId_, bodyTemplateId_);

    BuildStylesheet();
    if (Cancelled())
        return false;
    BuildXml();
    if (Cancelled())
        return false;
    Transform();
    if (Cancelled())
        return false;
    if (transformFailed_ && KindOf(itemType_) == TPageKind::Report)
        errorText_ = resultHtml_;
    return !transformFailed_;
}

// A transformer generates one page; should it be asked for another, that
// one starts from fresh documents instead of adding to the first one's.
void TTransformer::ResetForPage()
{
    if (used_) {
        builder_.reset();
        pageDocument_ = NewPageDocument();
        builder_ = catalog_.CreatePageXmlSource(pageDocument_->Document(), log_);
        resultHtml_.clear();
        errorText_.clear();
        failureText_.clear();
        transformFailed_ = false;
        htmlErrorPages_ = true;
    }
    used_ = true;
    rules_.clear();
    styleSheet_ = TTransformerStyleSheet();
    resourceFile_.clear();
}

// Takes the page's templates by its kind. Finished is set when the page is
// complete without a transformation (source pages, linked JSP pages).
bool TTransformer::PreparePage(int sourceItemId, bool& finished)
{
    switch (KindOf(itemType_)) {
    case TPageKind::Source:
        finished = true;
        return PrepareSourcePage(sourceItemId);
    case TPageKind::TemplateItself:
        masterTemplateId_ = itemId_;
        bodyTemplateId_ = 0;
        return true;
    case TPageKind::Report:
        return PrepareReport(sourceItemId);
    case TPageKind::WebPage:
        return PrepareWebPage(sourceItemId, finished);
    }
    return false;
}

bool TTransformer::PrepareSourcePage(int sourceItemId)
{
    TAbstractCObject* object = collection_->GetObject(sourceItemId, SourceClasses[itemType_ - kFirstSourceType]);
    if (!object)
        return false;
    resultHtml_ = object->GetLangString("SourceCode", langCode_, 0);
    if (replaceParams_)
        resultHtml_ = resultHtml_.empty() ? "<HTML></HTML>"
                                          : ReplaceParams(TCommonFunctions::RemoveServerScripts(resultHtml_));
    return true;
}

bool TTransformer::PrepareReport(int sourceItemId)
{
    TAbstractCObject* report = collection_->GetObject(sourceItemId, "Report");
    if (!report) {
        errorText_ = Translate("Cannot load report object");
        return false;
    }
    htmlErrorPages_ = false;
    masterTemplateId_ = report->GetInteger("ReportTemplate", 0);
    bodyTemplateId_ = report->GetInteger("ReportBodyTemplateId", 0);
    return true;
}

bool TTransformer::PrepareWebPage(int sourceItemId, bool& finished)
{
    TAbstractCObject* page = collection_->GetObject(sourceItemId, "CommonWebPage");
    if (!page) {
        errorText_ = Translate("Cannot load page object");
        return false;
    }
    const int linkedJsp = page->GetInteger("LinkedJSP", 0);
    if (forHost_ && outputExtension_ != "html" && linkedJsp != 0) {
        finished = true;
        return UseLinkedJSP(linkedJsp);
    }
    if (!fixedTemplates_)
        Templates().GetPageTemplates(*page, itemType_, masterTemplateId_, bodyTemplateId_, *connection_);
    return true;
}

// Keeps the rules sorted ignoring case; a text equal to one present,
// ignoring case, is dropped.
void TTransformer::AddRules(const std::vector<std::string>& rules)
{
    for (const std::string& rule : rules) {
        const auto at = std::lower_bound(rules_.begin(), rules_.end(), rule, LessIgnoringCase);
        if (at == rules_.end() || !common_detail::SameText(*at, rule))
            rules_.insert(at, rule);
    }
}

bool TTransformer::Cancelled() const
{
    return log_ && log_->IsCancelled();
}

TTemplates& TTransformer::Templates() const
{
    return catalog_.GetTemplates();
}

std::string TTransformer::Translate(const std::string& text) const
{
    return catalog_.GetTranslation().Translate(text);
}

// ---- results ------------------------------------------------------------------------------

std::string TTransformer::GetResultHtml() const
{
    if (errorText_.empty())
        return resultHtml_;
    return "<HTML><BODY><CENTER><H2>" + TCommonFunctions::EncodeXmlText(errorText_) + "</H2></CENTER></BODY></HTML>";
}

std::string TTransformer::GetErrorText() const
{
    return errorText_.empty() ? failureText_ : errorText_;
}
