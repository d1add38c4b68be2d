#include "editors/site/HtmlUIEditors.h"

#include "common/CommonFunctionsDetail.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/FrameClass.h"
#include "editors/site/FrameHtmlDataEditor.h"
#include "editors/site/FrameSourcesDataEditor.h"

namespace {

const TFrameClassOf<TFrameSourcesEditor> kSourcesFrame("", "TFrameSourcesEditor");
const TFrameClassOf<TFrameHtmlEditor> kHtmlFrame("", "TFrameHtmlEditor");
const TFrameClassOf<TFrameHtmlPageEditor> kHtmlPageFrame("", "TFrameHtmlPageEditor");
const TFrameClassOf<TFrameSourcesPageEditor> kSourcesPageFrame("", "TFrameSourcesPageEditor");
const TFrameClassOf<TFrameCommonHtmlEditor> kCommonHtmlFrame("", "TFrameCommonHtmlEditor");

}  // namespace

void TSourcesEditor::CreatePages() { AddTab("Source", "SourcesEditor-basic", &kSourcesFrame); }

THTMLEditor::THTMLEditor(std::string name, std::string params)
    : TTolvexUIEditor(std::move(name), std::move(params))
{
    ActiveTabOnly = true;
}

void THTMLEditor::CreatePages()
{
    AddTab("Design", "HTMLEditor-html", &kHtmlFrame);
    AddTab("HTML", "SourcesEditor-basic", &kSourcesFrame);
}

THTMLDataEditor::THTMLDataEditor(std::string name, std::string params)
    : TTolvexUIEditor(std::move(name), std::move(params))
{
    ActiveTabOnly = true;
}

void THTMLDataEditor::CreatePages()
{
    AddTab("Design", "HTMLEditor-html", &kHtmlPageFrame);
    AddTab("HTML", "SourcesEditor-basic", &kSourcesPageFrame);
}

void TCommonHtmlEditor::CreatePages()
{
    const std::vector<std::string> params = editor_params::Split(GetParams());
    std::string tabName = common_detail::Trim(ValueOfName(params, "tabname"));
    std::string caption = common_detail::Trim(ValueOfName(params, "tabcaption"));
    AddTab(caption.empty() ? "Design" : caption, tabName.empty() ? "Design" : tabName, &kCommonHtmlFrame);
}
