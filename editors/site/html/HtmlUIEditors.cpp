#include "editors/site/html/HtmlUIEditors.h"

#include "common/CommonFunctionsDetail.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/html/FrameHtmlDataEditor.h"
#include "editors/site/html/dialogs/FrameSiteDialog.h"
#include "editors/site/html/FrameSourcesDataEditor.h"

namespace {

const TFrameClassOf<TFrameSourcesEditor> kSourcesFrame("", "TFrameSourcesEditor");
const TFrameClassOf<TFrameHtmlEditor> kHtmlFrame("", "TFrameHtmlEditor");
const TFrameClassOf<TFrameHtmlPageEditor> kHtmlPageFrame("", "TFrameHtmlPageEditor");
const TFrameClassOf<TFrameSourcesPageEditor> kSourcesPageFrame("", "TFrameSourcesPageEditor");
const TFrameClassOf<TFrameCommonHtmlEditor> kCommonHtmlFrame("", "TFrameCommonHtmlEditor");
const TFrameClassOf<TFrameInsertTableRef> kInsertTableFrame("", "TFrameInsertTableRef");
const TFrameClassOf<TFrameHyperlinkRef> kHyperlinkFrame("", "TFrameHyperlinkRef");
const TFrameClassOf<TFrameSelectPage> kSelectPageFrame("", "TFrameSelectPage");

void SetSize(int& width, int& height, int w, int h)
{
    width = w;
    height = h;
}

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
    // A server-side page (ASP, JSP, PHP, SHTML) is code for its server, not
    // a document: a design view would write it back as the browser parsed it
    // and break the code ("<?php ... ?>", "<% ... %>", "<!--#include ... -->").
    if (!IsServerSidePage(GetContext()->GetItemType()))
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

void TInsertTableRef::CreatePages() { AddTab("Insert Table", "InsertTable-main", &kInsertTableFrame); }
void TInsertTableRef::GetPreferredSize(int& width, int& height) const { SetSize(width, height, 290, 385); }

void TEnterHyperlinkRef::CreatePages() { AddTab("Hyperlink", "EnterHyperlink-main", &kHyperlinkFrame); }
void TEnterHyperlinkRef::GetPreferredSize(int& width, int& height) const { SetSize(width, height, 340, 240); }

void TSelectPageRef::CreatePages() { AddTab("Page", "SelectPage-main", &kSelectPageFrame); }
void TSelectPageRef::GetPreferredSize(int& width, int& height) const { SetSize(width, height, 360, 420); }

TSelectPageOrHyperlinkRef::TSelectPageOrHyperlinkRef(std::string name, std::string params)
    : TTolvexUIEditor(std::move(name), std::move(params))
{
    // Only the tab shown answers.
    ActiveTabOnly = true;
}

void TSelectPageOrHyperlinkRef::CreatePages()
{
    AddTab("Page", "SelectPage-main", &kSelectPageFrame);
    AddTab("Hyperlink", "EnterHyperlink-main", &kHyperlinkFrame);
}

void TSelectPageOrHyperlinkRef::GetPreferredSize(int& width, int& height) const { SetSize(width, height, 400, 440); }
