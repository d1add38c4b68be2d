#include "editors/site/lists/DefinitionTabEditor.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "editors/site/lists/DefinitionValues.h"

TDefinitionTabEditor::TDefinitionTabEditor(std::string name, std::string params, std::string captionKey,
                                           std::string tabName, const TAbstractFrameClass* frameClass)
    : TTolvexUIEditor(std::move(name), std::move(params)), captionKey_(std::move(captionKey)),
      tabName_(std::move(tabName)), frameClass_(frameClass)
{
}

void TDefinitionTabEditor::CreatePages()
{
    AddTab(DefinitionValues(RootObject->Catalog(), GetName())(captionKey_), tabName_, frameClass_);
}
