#include "editors/framework/CaptionedItemManager.h"

#include "editors/framework/TolvexControlClass.h"

TCaptionedItemManager::TCaptionedItemManager(std::string name, std::string params, std::string caption,
                                             std::string newItemCaption, bool hidesSaveBar)
    : TTolvexItemManager(std::move(name), std::move(params)), caption_(std::move(caption)),
      newItemCaption_(std::move(newItemCaption)), hidesSaveBar_(hidesSaveBar)
{
}

std::string TCaptionedItemManager::GetCaption(TTolvexControlClass& context)
{
    return context.Translate(caption_);
}

std::string TCaptionedItemManager::GetNewItemCaption(TTolvexControlClass& context)
{
    return newItemCaption_.empty() ? std::string() : context.Translate(newItemCaption_);
}

void TCaptionedItemManager::SetupContext(TTolvexControlClass& context)
{
    TTolvexItemManager::SetupContext(context);
    if (hidesSaveBar_)
        context.ShowSavePanel(false);
}
