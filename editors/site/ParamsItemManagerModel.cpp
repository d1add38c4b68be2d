#include "editors/site/lists/ParamsItemManagerModel.h"

#include "catalog/Singletons.h"
#include "common/Translation.h"

std::string TParamsItemManagerModel::GetCaption(const std::optional<std::string>& itemName) const
{
    const TTranslation& texts = TTranslation::OrEnglish(Translation);
    const std::string tmpl = value_("ItemCaption");
    std::string caption = itemName ? texts.Format(tmpl, {*itemName}) : tmpl;
    if (caption.empty())
        caption = texts.Translate(value_("NoNameItemCaption"));
    if (caption.empty())
        caption = texts.Translate("Tolvex");
    return caption;
}

std::string TParamsItemManagerModel::GetNewItemCaption() const
{
    const std::string name = value_("NewItemName");
    return TTranslation::OrEnglish(Translation).Translate(name.empty() ? "New Item" : name);
}
