#pragma once
// A frame without a load/store pair of its own: lists that act on the
// database at once, viewers, pickers.
#include "editors/framework/TolvexFrameEditor.h"

class TTolvexFrameViewer : public TTolvexFrameEditor {
public:
    void StoreToObjects(bool) override {}
    void LoadFromObjects(bool) override {}
};
