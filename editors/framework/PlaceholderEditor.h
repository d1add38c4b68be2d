#pragma once
// Stands in the item's editor for a UI editor that the program does not
// have yet (the registry gave a placeholder): one tab, captioned with the
// editor's name, whose page says which editor it stands for. It saves
// nothing, so it refuses no save.
#include "editors/framework/TolvexUIEditor.h"

#include "catalog/PlaceholderFrameClass.h"

class TPlaceholderEditor : public TTolvexUIEditor {
public:
    // StandsFor: the class name of the missing editor.
    TPlaceholderEditor(std::string name, std::string params, const std::string& standsFor);

    void CreatePages() override;
    bool IsPlaceholder() const override { return true; }

private:
    TPlaceholderFrameClass frameClass_;
};
