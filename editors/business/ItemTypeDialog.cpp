#include "editors/business/ItemTypeDialog.h"

#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/framework/TolvexItemEditor.h"

bool RunItemTypeDialog(TTolvexFrameEditor& frame, int itemType, std::vector<std::string>& params)
{
    TTolvexControlClass& context = *frame.GetContext();
    TTolvexItemEditor dialog(context.Services(), nullptr);
    dialog.SetConnection(&context.GetConnection());
    dialog.PrepareOpen(0, 0, "", "");
    return dialog.OpenItem(-1, -1, itemType, &params, 0);
}

bool RunNamedDialog(TTolvexFrameEditor& frame, const std::string& editorName, std::vector<std::string>& params)
{
    TTolvexControlClass& context = *frame.GetContext();
    TTolvexItemEditor dialog(context.Services(), nullptr);
    dialog.SetConnection(&context.GetConnection());
    dialog.PrepareOpen(0, 0, "", "");
    return dialog.OpenItemWithEditor(-1, -1, -1, editorName, "", &params);
}
