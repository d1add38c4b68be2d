#pragma once
// The container of the common service objects that every subsystem reaches:
// the user-interface operations, the general functions and the program folder.
#include "common/CommonApp.h"
#include "common/CommonFunctions.h"
#include "common/CommonGui.h"

#include <memory>

class TCommonProcedures {
public:
    // Creates App and Functions, in this order. The user interface is set by
    // whoever provides it (the Qt shell, or a test); until then Gui() raises.
    TCommonProcedures();
    ~TCommonProcedures();
    TCommonProcedures(const TCommonProcedures&) = delete;
    TCommonProcedures& operator=(const TCommonProcedures&) = delete;

    TCommonApp& App() { return *app_; }
    TCommonFunctions& Functions() { return *functions_; }
    // The user-interface operations; not owned.
    TCommonGui& Gui();
    bool HasGui() const { return gui_ != nullptr; }
    void SetGui(TCommonGui* gui) { gui_ = gui; }

private:
    std::unique_ptr<TCommonApp> app_;
    std::unique_ptr<TCommonFunctions> functions_;
    TCommonGui* gui_ = nullptr;
};
