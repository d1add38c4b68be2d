#pragma once
// Stands in for a UI editor class whose editor is not part of the program
// yet: it is created by the name and parameters of the request like the
// real class and tells which class it stands for. In place of a frame-based
// editor it also keeps the frame class its one tab would show.
#include "catalog/AbstractUIEditor.h"

#include <string>

class TAbstractFrameClass;

class TPlaceholderUIEditor : public TAbstractUIEditor {
public:
    TPlaceholderUIEditor(std::string name, std::string params, std::string standsFor,
                         const TAbstractFrameClass* frameClass = nullptr);

    std::string GetName() const override { return name_; }
    std::string GetParams() const override { return params_; }

    // The name of the editor class this object stands for, e.g. "TCompanyEditor".
    const std::string& StandsFor() const { return standsFor_; }
    // The frame class of its one tab; null unless it stands for a frame-based editor.
    const TAbstractFrameClass* GetFrameClass() const { return frameClass_; }

private:
    std::string name_;
    std::string params_;
    std::string standsFor_;
    const TAbstractFrameClass* frameClass_;
};
