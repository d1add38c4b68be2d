#include "editors/site/html/FrameSourcesEditor.h"

#include "editors/framework/EditorParams.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/html/SourcesEditorWidget.h"
#include "storage/AbstractCObject.h"

#include <QVBoxLayout>

namespace {

constexpr const char* kDesignClass = "CommonDesign";

std::string HtmlParamsName(const std::string& langCode) { return "SourceHtml_" + langCode; }

}  // namespace

TFrameSourcesEditor::TFrameSourcesEditor(TFrameSite& site)
{
    setObjectName("TFrameSourcesEditor");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    TQtFrameSite::PlaceInto(site, this);
}

std::vector<std::string> TFrameSourcesEditor::EditorParams() const
{
    return GetUIEditor() ? editor_params::Split(GetUIEditor()->GetParams()) : std::vector<std::string>{};
}

TSourceEditorMode TFrameSourcesEditor::ChooseMode()
{
    const std::vector<std::string> params = EditorParams();
    bool onlyTop = false;
    for (const std::string& line : params)
        onlyTop = onlyTop || line == "OnlyTop";
    const std::string name = GetUIEditor() ? GetUIEditor()->GetName() : std::string();
    return TSourceEditorMode::Choose(name, ValueOfName(params, "class"), ValueOfName(params, "member"), onlyTop);
}

void TFrameSourcesEditor::InitControls()
{
    editor_ = new TSourcesEditorWidget(GetContext()->Services().Gui, this);
    layout()->addWidget(editor_);
    editor_->ApplyMode(ChooseMode());
    connect(editor_, &TSourcesEditorWidget::Modified, this, [this] {
        if (TrackChanges)
            EditedSinceLoad = true;
        SetModified();
    });
    connect(editor_, &TSourcesEditorWidget::StatusText, this, [this](const QString& text) {
        GetContext()->SetStatusText(0, text.toUtf8().toStdString());
    });
}

void TFrameSourcesEditor::LoadFromObjects(bool)
{
    TrackChanges = false;
    EditedSinceLoad = false;
    const TSourceEditorMode& mode = editor_->Mode();
    const std::string& lang = ContentLangCode();
    if (mode.Mode == smDesign) {
        TAbstractCObject* design = GetObject(kDesignClass);
        editor_->SetTopText(design ? design->GetLangString("TopHTMLValue", lang, 0) : "");
        editor_->SetBottomText(design ? design->GetLangString("BottomHTMLValue", lang, 0) : "");
    } else if (mode.Mode == smHtmlParams) {
        std::vector<std::string>* params = GetContext()->GetParams();
        editor_->SetTopText(params ? ValueOfName(*params, HtmlParamsName(lang)) : "");
    } else {
        TAbstractCObject* object = GetObject(mode.ClassTag);
        editor_->SetTopText(object ? object->GetLangString(mode.MemberTag, lang, 0) : "");
    }
    TrackChanges = true;
}

void TFrameSourcesEditor::StoreToObjects(bool)
{
    if (!EditedSinceLoad || !editor_)
        return;
    const TSourceEditorMode& mode = editor_->Mode();
    const std::string& lang = ContentLangCode();
    if (mode.Mode == smDesign) {
        if (TAbstractCObject* design = GetObject(kDesignClass)) {
            design->SetLangString("TopHTMLValue", lang, TSourceEditorMode::StoredDesignPart(editor_->TopText()), 0);
            if (!mode.TopOnly)
                design->SetLangString("BottomHTMLValue", lang,
                                      TSourceEditorMode::StoredDesignPart(editor_->BottomText()), 0);
        }
    } else if (mode.Mode == smHtmlParams) {
        if (std::vector<std::string>* params = GetContext()->GetParams())
            editor_params::SetValue(*params, HtmlParamsName(lang), editor_->TopText());
    } else if (TAbstractCObject* object = GetObject(mode.ClassTag)) {
        object->SetLangString(mode.MemberTag, lang, mode.StoredText(editor_->TopText()), 0);
    }
}
