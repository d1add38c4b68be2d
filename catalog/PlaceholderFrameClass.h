#pragma once
// A frame class known only by its names: it stands in for an editor frame
// whose widget is not part of the program yet, so that its plug-in name
// still resolves to a one-tab editor.
#include "catalog/AbstractFrameClass.h"

class TPlaceholderFrameClass : public TAbstractFrameClass {
public:
    TPlaceholderFrameClass(std::string pluginName, std::string className,
                           std::string tabCaption = {}, std::string tabName = {},
                           bool singleFrame = false)
        : pluginName_(std::move(pluginName)), className_(std::move(className)),
          tabCaption_(std::move(tabCaption)), tabName_(std::move(tabName)),
          singleFrame_(singleFrame)
    {
    }

    std::string PluginName() const override { return pluginName_; }
    std::string ClassName() const override { return className_; }
    std::string TabCaption() const override { return tabCaption_; }
    std::string TabName() const override { return tabName_; }
    bool IsSingleFrame() const override { return singleFrame_; }

private:
    std::string pluginName_;
    std::string className_;
    std::string tabCaption_;
    std::string tabName_;
    bool singleFrame_;
};
