#pragma once
// The UI editor of a frame class registered under a plug-in name: one tab
// showing that frame, with the class's caption, tab name and single-frame
// flag. The registry makes one for every request of such a name.
#include "editors/framework/TolvexUIEditor.h"

class TFrameBasedEditor : public TTolvexUIEditor {
public:
    TFrameBasedEditor(std::string name, std::string params, const TAbstractFrameClass* frameClass);

    void SetFrameClass(const TAbstractFrameClass* frameClass) { frameClass_ = frameClass; }
    void CreatePages() override;
    bool IsSingleFrame() const override;
    // True for a frame class the program does not have yet.
    bool IsPlaceholder() const override;

private:
    const TAbstractFrameClass* frameClass_;
};
