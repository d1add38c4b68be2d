// The transformation of the page document with the generated style sheet.
//
// The style sheet is the compiled form of "out.xsl" (TTransformerStyleSheet),
// taken from the templates' cache by what its text is made of and the texts
// of the files it includes as the work folder holds them, and given the
// page's values as parameters; the page document is transformed as built
// (it is the document written as "out.xml"), with the language resource
// lent already parsed. The result equals transforming "out.xml" with
// "out.xsl".
#include "generation/Transformer.h"

#include "common/CommonFunctions.h"
#include "common/Translation.h"
#include "common/XmlPtr.h"
#include "generation/TransformerCatalog.h"
#include "generation/PageDocument.h"
#include "generation/StyleSheetCache.h"
#include "generation/Templates.h"
#include "generation/TransformerWorkFiles.h"
#include "generation/TransformerXsltScope.h"
#include "generation/XsltFragmentCache.h"

#include <libxml/tree.h>
#include <libxslt/imports.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/variables.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <memory>

namespace {

struct TContextFree {
    void operator()(xsltTransformContextPtr context) const { xsltFreeTransformContext(context); }
};

const xmlChar* X(const std::string& text)
{
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

std::string WithoutTrailingLineBreaks(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

}  // namespace

void TTransformer::Transform()
{
    transformFailed_ = false;
    const std::string baseUrl = workDir_ + "/out.xsl";
    const TStyleSheetCache::TSheet& sheet = Templates().StyleSheets().Get(
        CompileKey(styleSheet_.CompiledShape()), [this] { return styleSheet_.CompiledText(); }, baseUrl);
    if (!sheet.Sheet && sheet.ParseError) {
        DescribeParseError(sheet.Error);
    } else if (!sheet.Sheet) {
        DescribeFailure(sheet.Error);
    } else {
        TTransformerXsltScope scope;
        std::unique_ptr<xsltTransformContext, TContextFree> context(
            xsltNewTransformContext(sheet.Sheet, pageDocument_->Document()));
        xsltSetCtxtSecurityPrefs(TTransformerXsltScope::SecurityPrefs(), context.get());
        TXsltFragmentCache::Fill(context.get());
        if (!resourceFile_.empty())
            if (const std::string* text = Templates().WorkFileText(resourceFile_))
                Templates().LentDocuments().Lend(context.get(), baseUrl, resourceFile_, *text);
        // A style sheet that strips blanks strips them from the page
        // document itself: a document kept back is kept as it was built.
        if (keptWorkFiles_ && xsltNeedElemSpaceHandling(context.get()))
            keptWorkFiles_->KeepText("out.xml", pageDocument_->Text(), workFileSequence_);
        for (const auto& [name, value] : styleSheet_.PageValues())
            xsltQuoteOneUserParam(context.get(), X(name), X(value));
        const TXmlDocPtr result(
            xsltApplyStylesheetUser(sheet.Sheet, pageDocument_->Document(), nullptr, nullptr, nullptr, context.get()));
        xmlChar* text = nullptr;
        int length = 0;
        if (result && context->state == XSLT_STATE_OK &&
            xsltSaveResultToString(&text, &length, result.get(), sheet.Sheet) == 0) {
            resultHtml_.assign(text ? reinterpret_cast<const char*>(text) : "", static_cast<std::size_t>(length));
        } else {
            DescribeFailure(scope.Messages());
        }
        xmlFree(text);
    }
    DeliverInWebCharset();
    SaveWorkText("out.html", resultHtml_);
}

// The key of the compiled style sheet: where it is compiled, what its
// compiled text is made of and the texts of the files it includes (by
// their numbers: the texts are tens of kilobytes, copied for every page).
std::string TTransformer::CompileKey(const std::string& compiledShape) const
{
    std::string key = workDir_;
    key += '\0';
    key += compiledShape;
    for (const std::string& include : styleSheet_.Includes()) {
        key += '\0';
        key += include;
        key += '\0';
        key += std::to_string(Templates().WorkFileVersion(include));
    }
    return key;
}

// A style sheet that does not compile (a template that is well-formed but
// no valid XSL) and a failing transformation are both errors of the XSL
// transformation; the page is an HTML page describing it, or for reports
// the plain text.
void TTransformer::DescribeFailure(const std::string& reason)
{
    transformFailed_ = true;
    const std::string message = WithoutTrailingLineBreaks(reason);
    const TTranslation& translation = catalog_.GetTranslation();
    failureText_ = translation.Format("XSL transformation error occurred: $1", {message});
    if (htmlErrorPages_)
        resultHtml_ = "<HTML><H2>" + translation.Translate("XSL transformation error occurred") + "</H2><BR>" +
                      TCommonFunctions::EncodeXmlText(message) + "</HTML>";
    else
        resultHtml_ = failureText_;
}

// The style sheet or a template it includes is not well-formed XML: the
// page names the parse error (file, line, column and reason), or for
// reports the plain text does.
void TTransformer::DescribeParseError(const std::string& reason)
{
    transformFailed_ = true;
    const TTranslation& translation = catalog_.GetTranslation();
    failureText_ = translation.Format("XSL data parse error occurred: $1", {reason});
    if (htmlErrorPages_)
        resultHtml_ = "<HTML><H2>" + translation.Translate("A parse error occurred") + "</H2><BR>" +
                      TCommonFunctions::EncodeXmlText(reason);
    else
        resultHtml_ = failureText_;
}

// A processor that declares UTF-16 in the page's head names the language's
// web character set instead.
void TTransformer::DeliverInWebCharset()
{
    const std::string utf16 = "content=\"text/html; charset=UTF-16\"";
    const std::size_t at = resultHtml_.find(utf16);
    if (at != std::string::npos)
        resultHtml_.replace(at, utf16.size(), "content=\"text/html; charset=" + catalog_.GetWebCharset(langCode_) + "\"");
}
