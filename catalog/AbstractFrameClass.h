#pragma once
// An editor frame class as the built-in registry sees it. A frame class
// registered under its plug-in name becomes a UI editor of one tab: a
// frame-based editor given this class, whose tab takes its caption, tab
// name and single-frame flag from here. The widget side extends it with
// the creation of the frame itself.
#include <string>

class TAbstractFrameClass {
public:
    virtual ~TAbstractFrameClass() = default;

    // The name the class registers under; empty: not registered. A name
    // ending in "*" stands for every requested name that begins with the
    // text before the "*".
    virtual std::string PluginName() const = 0;
    // The name of the frame class itself, e.g. "TFrameEditCodes".
    virtual std::string ClassName() const = 0;
    virtual std::string TabCaption() const = 0;
    virtual std::string TabName() const = 0;
    virtual bool IsSingleFrame() const = 0;
};
