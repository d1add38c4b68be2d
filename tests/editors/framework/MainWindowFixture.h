#pragma once
// The program with its main window over a fresh program folder, with the
// classes a test registers (the shell tests' fixture, after the editors'
// application is made), and a catalog of type 1, "shop", created and opened
// on request (its initial settings window answered, see CreateAndOpen of
// the shell fixture).
#include "../QtTestApplication.h"
#include "../../shell/ShellFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <string>

template <class TCondition>
bool WaitFor(TCondition condition)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return condition();
}

// Makes the application before the program's fixture needs it.
struct TEditorsApplication {
    TEditorsApplication() { EnsureQtApplication(); }
};

class TMainWindowFixture : private TEditorsApplication, public TShellFixture {
public:
    explicit TMainWindowFixture(const TRegisterClasses& registerClasses, bool advancedMode = false)
        : TShellFixture(false, registerClasses, advancedMode)
    {
    }

    using TShellFixture::CreateAndOpen;
    std::string CreateAndOpen(const std::function<void(TfrmFrameContainer&)>& initialSettings = {})
    {
        return CreateAndOpen("shop", 1, initialSettings);
    }
};
