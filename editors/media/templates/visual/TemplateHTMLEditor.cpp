#include "editors/media/templates/visual/TemplateHTMLEditor.h"

#include "editors/framework/FrameClass.h"
#include "editors/media/templates/visual/FrameTemplateHtmlEditor.h"

namespace {

const TFrameClassOf<TFrameTemplateHtmlEditor> kFrame("", "TFrameTemplateHtmlEditor");

}  // namespace

TTemplateHTMLEditor::TTemplateHTMLEditor(std::string name, std::string params)
    : TTolvexUIEditor(std::move(name), std::move(params))
{
}

void TTemplateHTMLEditor::CreatePages() { AddTab("WYSIWYG Editor", "TemplateHTMLEditor-html", &kFrame); }
