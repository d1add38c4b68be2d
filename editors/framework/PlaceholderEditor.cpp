#include "editors/framework/PlaceholderEditor.h"

TPlaceholderEditor::TPlaceholderEditor(std::string name, std::string params, const std::string& standsFor)
    : TTolvexUIEditor(name, std::move(params)), frameClass_(name, standsFor, name, name)
{
}

void TPlaceholderEditor::CreatePages()
{
    AddTab(frameClass_.TabCaption(), frameClass_.TabName(), &frameClass_);
}
