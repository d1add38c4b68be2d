#pragma once
// The UI editors of a single image item:
//  - TImageEdit ("ImageEdit", the image item's editor): "Image" (the
//    picture, "Update From File", the background flag) and "Image Editor"
//    (the editing frame), both on the item's own objects;
//  - TImagesEditor ("ImagesEditor"): the editing frame alone.
// Every tab is saved, not only the one shown.
#include "editors/framework/TolvexUIEditor.h"

class TImageEdit : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override;
};

class TImagesEditor : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override;
};

// The frame classes, for other editors that show these tabs.
class TAbstractFrameClass;
const TAbstractFrameClass& ImageItemFrameClass();
const TAbstractFrameClass& ImageEditingFrameClass();
