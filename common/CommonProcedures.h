#pragma once
// The container of the common service objects that every subsystem reaches:
// the user-interface operations, the general functions, the program folder
// and the image helpers.
#include "common/CommonApp.h"
#include "common/CommonFunctions.h"
#include "common/CommonGui.h"
#include "common/CommonImages.h"

#include <memory>

class TCommonProcedures {
public:
    // Creates App, Functions and Images, in this order. The user interface is set by
    // whoever provides it (the Qt shell, or a test); until then Gui() raises.
    TCommonProcedures();
    ~TCommonProcedures();
    TCommonProcedures(const TCommonProcedures&) = delete;
    TCommonProcedures& operator=(const TCommonProcedures&) = delete;

    TCommonApp& App() { return *app_; }
    TCommonFunctions& Functions() { return *functions_; }
    // The image helpers; they show the hourglass through Gui when one is set.
    TCommonImages& Images() { return *images_; }
    // The user-interface operations; not owned.
    TCommonGui& Gui();
    bool HasGui() const { return gui_ != nullptr; }
    void SetGui(TCommonGui* gui) { gui_ = gui; }

private:
    std::unique_ptr<TCommonApp> app_;
    std::unique_ptr<TCommonFunctions> functions_;
    std::unique_ptr<TCommonImages> images_;
    TCommonGui* gui_ = nullptr;
};
