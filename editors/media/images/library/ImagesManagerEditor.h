#pragma once
// The images manager ("ImagesManager"): the library ("Images Management")
// and the editing of the picture chosen there ("Image Editor", which reads
// the chosen picture from the editor parameter "CurrentImageItemId").
#include "editors/framework/TolvexUIEditor.h"

class TImagesManagerEditor : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override;
};
