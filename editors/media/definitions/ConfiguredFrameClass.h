#pragma once
// The class of a frame registered under a name ending in "*": one frame
// class serves many editors of the catalog definition, each configured by
// the definition's key values under its full editor name. The tab caption
// is the key value "TabCaption" of that name (the class's own caption, else
// the editor name, when it has none).
#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "editors/framework/FrameClass.h"

template <class TFrame>
class TConfiguredFrameClass : public TFrameClassOf<TFrame> {
public:
    using TFrameClassOf<TFrame>::TFrameClassOf;

    std::string TabCaptionFor(const std::string& editorName) const override
    {
        std::string caption =
            RootObject ? RootObject->Catalog().GetDefinition().GetFilterValue(editorName, "TabCaption") : "";
        if (caption.empty())
            caption = this->TabCaption();
        return caption.empty() ? editorName : caption;
    }
};
