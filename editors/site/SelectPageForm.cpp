#include "editors/site/html/dialogs/SelectPageForm.h"

#include "catalog/TreeManager.h"
#include "editors/site/html/dialogs/FollowingCaption.h"

void TSelectPageForm::Init(const TDialogParams& params)
{
    CaptionEdited = false;
    if (const std::string caption = params.Value("Caption"); !caption.empty())
        DialogCaption = caption;
    ShowCaptionPanel = params.IsYes("ShowCaptionPanel");
    Caption = params.Value("InitCaption");
    CaptionEdited = !Caption.empty();
    const long long root = params.Number("RootItemId");
    RootItemId = root > 0 && root <= INT32_MAX ? static_cast<int>(root) : 1;
    SelectOnlyItemTypes = params.Value("SelectOnlyItemTypes");
    // Link copies never show; the initial item is selected.
    if (params.Has("AllowItemType"))
        TreeOptions = toAllowedTypesOnly | toSelectInitial | toExpandFirst;
    else if (params.IsYes("ShowAllItems"))
        TreeOptions = toSelectInitial | toExpandFirst;
    else
        TreeOptions = toPageTypesOnly | toSelectInitial | toExpandFirst;
    if (params.IsYes("ExpandFirstLevel"))
        TreeOptions |= toExpandTopLevel;
    if (const std::string treeCaption = params.Value("TreeCaption"); !treeCaption.empty())
        TreeCaption = treeCaption;
}

bool TSelectPageForm::NodeSelected(const std::string& nodeText)
{
    return FollowingCaption::Follow(Caption, CaptionEdited, nodeText);
}

void TSelectPageForm::CaptionTyped(const std::string& caption)
{
    Caption = caption;
    CaptionEdited = true;
}

std::string TSelectPageForm::NotFoundMessage(int catalogType)
{
    return catalogType == 12
               ? "The system has finished its search and no item with the name \"$1\" was found."
               : "The system has finished its search and no page with the name \"$1\" was found.";
}

void TSelectPageForm::Save(const TPage& page, TDialogParams& params) const
{
    if (page.ItemId == 0)
        return;
    params.Set("PageLink", "yes");
    params.Set("URL", page.FileName);
    params.Set("PageId", std::to_string(page.ItemId));
    params.Set("PageType", std::to_string(page.ItemType));
    params.Set("PageName", page.Name);
    params.Set("NewWindow", NewWindow ? "yes" : "no");
    if (!ShowCaptionPanel)
        return;
    if (!Caption.empty()) {
        if (Caption.back() == ' ')
            params.Set("AddSpaceAtTheEnd", "yes");
        params.Set("Caption", Caption);
    }
    if (!Title.empty())
        params.Set("ATitle", Title);
}
