#include "common/CommonProcedures.h"

#include "common/Exceptions.h"

TCommonProcedures::TCommonProcedures()
    : app_(std::make_unique<TCommonApp>()), functions_(std::make_unique<TCommonFunctions>())
{
}

TCommonProcedures::~TCommonProcedures()
{
    // Freed in the order Gui, Functions, App.
    gui_ = nullptr;
    functions_.reset();
    app_.reset();
}

TCommonGui& TCommonProcedures::Gui()
{
    if (!gui_)
        throw EDeveloperTolvexException("No user interface is set");
    return *gui_;
}
