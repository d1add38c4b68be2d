#include "editors/site/html/HtmlEditorsRegistration.h"

#include "catalog/InternalPluginsManager.h"
#include "editors/site/html/HtmlUIEditors.h"
#include "editors/site/preview/WebPreviewViewer.h"

namespace {

template <class TEditor>
void RegisterEditor(TInternalPluginsManager& registry, const char* className)
{
    registry.RegisterBuiltinClass(className, [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TEditor(name, params));
    });
}

}  // namespace

void RegisterHtmlEditors(TInternalPluginsManager& registry)
{
    RegisterEditor<TSourcesEditor>(registry, "TSourcesEditor");
    RegisterEditor<THTMLEditor>(registry, "THTMLEditor");
    RegisterEditor<THTMLDataEditor>(registry, "THTMLDataEditor");
    RegisterEditor<TCommonHtmlEditor>(registry, "TCommonHtmlEditor");
    RegisterEditor<TInsertTableRef>(registry, "TInsertTableRef");
    RegisterEditor<TEnterHyperlinkRef>(registry, "TEnterHyperlinkRef");
    RegisterEditor<TSelectPageRef>(registry, "TSelectPageRef");
    RegisterEditor<TSelectPageOrHyperlinkRef>(registry, "TSelectPageOrHyperlinkRef");
    RegisterEditor<TWebPreviewViewer>(registry, "TWebPreviewViewer");
}
