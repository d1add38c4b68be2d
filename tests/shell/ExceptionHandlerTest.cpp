// Exceptions that escape an event handler reach the program's handler,
// which shows one error box; the event loop goes on.
#include "QtApplication.h"

#include "common/Exceptions.h"
#include "common/TolvexException.h"
#include "common/Translation.h"
#include "shell/TolvexApplication.h"
#include "support/ScriptedGui.h"

#include <QCoreApplication>
#include <QObject>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class TThrowingObject : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User + 99)
            throw std::runtime_error("The disk is full");
        return QObject::event(e);
    }
};

TEST(ExceptionHandler, AnExceptionInAnEventHandlerShowsOneErrorBox)
{
    auto* app = dynamic_cast<TTolvexApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    TScriptedGui gui;
    TTranslation translation;
    int terminated = 0;
    TTolvexException handler(translation, gui, [&] { ++terminated; }, "support@example.com");
    app->SetExceptionHandler(&handler);
    TThrowingObject object;
    QCoreApplication::postEvent(&object, new QEvent(static_cast<QEvent::Type>(QEvent::User + 99)));
    QCoreApplication::processEvents();
    app->SetExceptionHandler(nullptr);
    const std::vector<std::string> errors = gui.Messages("error");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("The disk is full"), std::string::npos);
    EXPECT_EQ(terminated, 0);
}

}  // namespace
