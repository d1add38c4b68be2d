// The conversion window: the conversion runs beside it, its lines show as
// they come, the window keeps answering while a unit of work takes long,
// Cancel stops the conversion within a second, and an error of the
// conversion comes out of the run.
#include "DialogWaits.h"
#include "ShellFixture.h"

#include "catalog/CatalogUpgrader.h"
#include "catalog/ui/frmConversionProgress.h"
#include "shell/frmLogin.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

using namespace std::chrono;

TEST(ConversionWindow, ShowsTheLinesKeepsAnsweringAndCancelStopsTheConversionWithinASecond)
{
    TQtConversionWindow window(nullptr);
    std::atomic<bool> longUnitOver{false};
    int ticksDuringLongUnit = 0;
    steady_clock::time_point cancelledAt;
    WhenShown<TfrmConversionProgress>([&](TfrmConversionProgress& form) {
        // The window answers (its timers run) while one unit takes 1.5 s.
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, &form, [&] { ++ticksDuringLongUnit; });
        ticker.start(20);
        ASSERT_TRUE(WaitFor([&] { return longUnitOver.load(); }));
        ticker.stop();
        ASSERT_TRUE(WaitFor([&] { return form.LogView()->toPlainText().contains("Product 3"); }));
        Screenshot(form, "conversion-window");
        cancelledAt = steady_clock::now();
        form.Buttons()->button(QDialogButtonBox::Cancel)->click();
        EXPECT_FALSE(form.Buttons()->button(QDialogButtonBox::Cancel)->isEnabled());
    });
    bool sawCancel = false;
    window.Run("acme", [&](TConversionProgress& progress) {
        progress.Log("Convert vendor ACME");
        std::this_thread::sleep_for(milliseconds(1500));
        longUnitOver = true;
        for (int product = 1; product < 100000; ++product) {
            if (progress.Cancelled()) {
                sawCancel = true;
                return;
            }
            progress.Log("Product " + std::to_string(product));
            std::this_thread::sleep_for(milliseconds(20));
        }
    });
    const auto stopped = steady_clock::now();
    EXPECT_TRUE(sawCancel);
    EXPECT_LT(duration_cast<milliseconds>(stopped - cancelledAt).count(), 1000);
    EXPECT_GT(ticksDuringLongUnit, 20) << "the window froze while the conversion worked";
}

TEST(ConversionWindow, AnErrorOfTheConversionComesOutOfTheRunAndTheWindowCloses)
{
    TQtConversionWindow window(nullptr);
    EXPECT_THROW(window.Run("acme", [](TConversionProgress&) { throw std::runtime_error("disk full"); }),
                 std::runtime_error);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// The conversion runs beside the main window's event loop: a message posted
// to the main window meanwhile (here the one that opens the login) waits
// until the conversion has ended, so nothing opens or closes a catalog
// while the conversion thread uses the catalog services.
TEST(ConversionWindow, TheMainWindowsMessagesWaitForTheEndOfTheConversion)
{
    TShellFixture f;
    TConversionWindow* window = f.Root().Upgrader().ConversionWindow();
    ASSERT_NE(window, nullptr);
    std::atomic<bool> converting{true};
    std::atomic<bool> posted{false};
    bool loginShown = false;
    bool loginWhileConverting = false;
    WhenShown<TfrmLogin>([&](TfrmLogin& login) {
        loginShown = true;
        loginWhileConverting = converting;
        login.reject();
    });
    WhenShown<TfrmConversionProgress>([&](TfrmConversionProgress&) {
        f.Window().PostMessage(WM_START_PROCESS, 0, 0);
        const auto until = steady_clock::now() + milliseconds(300);
        WaitFor([&] { return steady_clock::now() > until; });
        posted = true;
    });
    window->Run("acme", [&](TConversionProgress&) {
        while (!posted)
            std::this_thread::sleep_for(milliseconds(5));
    });
    converting = false;
    EXPECT_TRUE(WaitFor([&] { return loginShown; })) << "the message is not lost";
    EXPECT_FALSE(loginWhileConverting);
}
