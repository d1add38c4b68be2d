#include "editors/site/options/InitEditor.h"

#include "editors/framework/FrameClass.h"
#include "editors/site/options/FrameInitEditor.h"
#include "editors/site/options/FrameInitEditorModel.h"

namespace {

const TFrameClassOf<TFrameInitEditor> kInitFrame("", "TFrameInitEditor");

}  // namespace

TInitEditor::TInitEditor(std::string name, std::string params)
    : TSiteTabsEditor(std::move(name), std::move(params), {{"Init", "InitEditor-init", &kInitFrame, {}}}, {0, 1, 3, 4},
                      true)
{
}

void TInitEditor::GetPreferredSize(int& width, int& height) const
{
    width = TFrameInitEditorModel::kPreferredWidth;
    height = TFrameInitEditorModel::kPreferredHeight;
}
