#pragma once
// The Qt application object: exceptions that escape an event handler go to
// the program's handler of uncaught exceptions (one error box) instead of
// ending the program. Its translator answers tr() from the program's
// translation service (gui/ServiceTranslator.h).
#include <QApplication>

class TTolvexException;

class TTolvexApplication : public QApplication {
public:
    TTolvexApplication(int& argc, char** argv);
    // Null: exceptions pass on (and end the program).
    void SetExceptionHandler(TTolvexException* handler) { handler_ = handler; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    TTolvexException* handler_ = nullptr;
};
