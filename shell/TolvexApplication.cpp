#include "shell/TolvexApplication.h"

#include "common/TolvexException.h"
#include "gui/ServiceTranslator.h"

#include <exception>

TTolvexApplication::TTolvexApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName("Tolvex");
    setOrganizationName("Tolvex");
    installTranslator(new TServiceTranslator(nullptr, this));
}

bool TTolvexApplication::notify(QObject* receiver, QEvent* event)
{
    if (!handler_)
        return QApplication::notify(receiver, event);
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        handler_->HandleException(e);
    } catch (...) {
        handler_->HandleUnknownException();
    }
    return false;
}
