#include "common/Exceptions.h"
#include "common/TolvexException.h"
#include "common/Translation.h"
#include "support/ScriptedGui.h"

#include <gtest/gtest.h>

namespace {
struct Handler {
    TTranslation translation;
    TScriptedGui gui;
    int terminated = 0;
    TTolvexException handler{translation, gui, [this] { ++terminated; }, "support@example.com"};
};
} // namespace

TEST(ApplicationErrorHandler, ShowsTheFixedTextAroundTheMessage)
{
    Handler h;
    h.handler.HandleException(ECriticalTolvexException("Cannot open the database"));
    ASSERT_EQ(h.gui.Shown().size(), 1u);
    const auto& box = h.gui.Shown()[0];
    EXPECT_EQ(box.kind, "error");
    EXPECT_FALSE(box.translate) << "the text is formatted already and not translated again";
    EXPECT_EQ(box.message,
              "Error occurs while executing Tolvex software\r\nPlease, send a bug report to "
              "support@example.com\r\n\r\nError message: Cannot open the database");
    EXPECT_EQ(h.terminated, 0) << "a critical error leaves the program running";
}

TEST(ApplicationErrorHandler, OnlyFatalErrorsEndTheProgram)
{
    Handler h;
    h.handler.HandleException(EFatalTolvexException("Cannot open reference database"));
    EXPECT_EQ(h.terminated, 1);
    h.handler.HandleException(std::runtime_error("disk full"));
    h.handler.HandleException(EDeveloperTolvexException("DB Query does not exists"));
    EXPECT_EQ(h.terminated, 1);
    EXPECT_EQ(h.gui.Messages("error").size(), 3u);
}

TEST(ApplicationErrorHandler, MessageIsNotExpandedAgain)
{
    Handler h;
    h.handler.HandleException(std::runtime_error("cost $1 \\n done"));
    EXPECT_NE(h.gui.Shown()[0].message.find("Error message: cost $1 \\n done"), std::string::npos);
}
