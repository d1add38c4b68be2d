#include "editors/site/html/dialogs/SourceDialogFrame.h"

#include "editors/site/html/SourcesEditorWidget.h"
#include "gui/UiText.h"

#include <QVBoxLayout>

TSourceDialogFrame::TSourceDialogFrame(TCommonGui& gui, std::string languageCode, QWidget* parent)
    : TSiteDialogFrame(parent), editor_(new TSourcesEditorWidget(gui, this)), languageCode_(std::move(languageCode))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(editor_);
    editor_->ApplyMode(TSourceEditorMode::Choose("CommonHtmlSourcesEditor", "", "", false));
    connect(editor_, &TSourcesEditorWidget::Modified, this, [this] {
        modified_ = true;
        emit Modified();
    });
}

QString TSourceDialogFrame::TabCaption() const { return UiText::Tr("Sources"); }

void TSourceDialogFrame::InitControls(const TDialogParams& params)
{
    emit CaptionChanged(UiText::Tr("Sources"));
    editor_->SetTopText(params.Value(Name()));
    modified_ = false;
}

void TSourceDialogFrame::Save(TDialogParams& params)
{
    if (modified_)
        params.Set(Name(), editor_->TopText());
}
