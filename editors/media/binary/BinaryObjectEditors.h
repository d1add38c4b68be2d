#pragma once
// The binary-object UI editors: the dialog "CommonBinaryObject" (TObjectRef:
// "Object From Disk", and "Object From Database" unless the parameters say
// "DontShowDatabaseList"; only the tab shown when OK is pressed stores) and
// the manager "BinaryObjectsManager" (one tab, the library).
#include "editors/framework/TolvexUIEditor.h"

class TObjectRef : public TTolvexUIEditor {
public:
    TObjectRef(std::string name, std::string params);
    void CreatePages() override;
    void GetPreferredSize(int& width, int& height) const override;
};

class TBinaryObjectsManagerEditor : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override;
};
