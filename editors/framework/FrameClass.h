#pragma once
// An editor frame class that the program has: besides the names the
// registry knows it by (TAbstractFrameClass), it creates its frame on a
// site. A frame class registered under a plug-in name is shown through a
// frame-based UI editor (TFrameBasedEditor); a UI editor adds tabs with
// frame classes of its own.
//
//   registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameMyThing>>(
//       "MyThing", "TFrameMyThing", "My thing", "MyThing-main", false));
#include "catalog/AbstractFrameClass.h"

#include "editors/framework/TolvexFrameEditor.h"

#include <memory>
#include <string>

class TFrameSite;
class TTolvexFrameEditor;

class TFrameClass : public TAbstractFrameClass {
public:
    // A new frame on Site, owned by the caller.
    virtual std::unique_ptr<TTolvexFrameEditor> CreateFrame(TFrameSite& site) const = 0;
    // The frame of any registered class: a placeholder frame for a class
    // the program does not have yet, telling which class it stands for.
    static std::unique_ptr<TTolvexFrameEditor> CreateFrameOf(const TAbstractFrameClass& frameClass,
                                                            TFrameSite& site);
};

// The class of a frame type TFrame constructed from its site, with its names.
template <class TFrame>
class TFrameClassOf : public TFrameClass {
public:
    TFrameClassOf(std::string pluginName, std::string className, std::string tabCaption = {},
                  std::string tabName = {}, bool singleFrame = false)
        : pluginName_(std::move(pluginName)), className_(std::move(className)),
          tabCaption_(std::move(tabCaption)), tabName_(std::move(tabName)), singleFrame_(singleFrame)
    {
    }

    std::string PluginName() const override { return pluginName_; }
    std::string ClassName() const override { return className_; }
    std::string TabCaption() const override { return tabCaption_; }
    std::string TabName() const override { return tabName_; }
    bool IsSingleFrame() const override { return singleFrame_; }
    std::unique_ptr<TTolvexFrameEditor> CreateFrame(TFrameSite& site) const override
    {
        return std::make_unique<TFrame>(site);
    }

private:
    std::string pluginName_, className_, tabCaption_, tabName_;
    bool singleFrame_;
};
