#include "shell/MainTreeView.h"

#include "catalog/Singletons.h"
#include "catalog/TreeManager.h"
#include "common/CommonGui.h"
#include "common/Translation.h"
#include "gui/UiText.h"

TMainTreeView::TMainTreeView(TTreeManager& manager, std::function<QIcon(const QString&)> images, TCommonGui& gui,
                             QWidget* parent)
    : TCatalogTreeView(manager, std::move(images), parent), gui_(gui)
{
}

bool TMainTreeView::FindText(const QString& text, bool, bool)
{
    if (!Manager().FindNext(UiText::S(text)))
        gui_.ShowError(TTranslation::OrEnglish(::Translation).Format("Cannot find \"$1\"", {UiText::S(text)}), false,
                       "");
    return true;
}
