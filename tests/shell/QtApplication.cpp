#include "QtApplication.h"

#include "generation/ui/PreviewScheme.h"
#include "shell/TolvexApplication.h"
#include "support/ExitWatchdog.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TQtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "tests_shell";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
        RegisterPreviewScheme();
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        app_ = std::make_unique<TTolvexApplication>(argc, argv);
        ArmExitWatchdogAfterTests();
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<TTolvexApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new TQtEnvironment);

}  // namespace
