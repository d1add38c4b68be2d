#include "common/CommonProcedures.h"

#include "common/Exceptions.h"

TCommonProcedures::TCommonProcedures()
    : app_(std::make_unique<TCommonApp>()),
      functions_(std::make_unique<TCommonFunctions>()),
      images_(std::make_unique<TCommonImages>([this] { return gui_; }))
{
}

TCommonProcedures::~TCommonProcedures()
{
    // Freed in the order Gui, Images, Functions, App.
    gui_ = nullptr;
    images_.reset();
    functions_.reset();
    app_.reset();
}

TCommonGui& TCommonProcedures::Gui()
{
    if (!gui_)
        throw EDeveloperTolvexException("No user interface is set");
    return *gui_;
}
