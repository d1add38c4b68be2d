#pragma once
// Publishes the open catalog's site into a folder through the publishing
// window, as the user starts it.
#include "../framework/MainWindowFixture.h"

#include "publishing/AbstractPublisher.h"
#include "publishing/PublishLocally.h"
#include "publishing/ui/frmDetailProcess.h"
#include "storage/AbstractDBConnectionFactory.h"

#include <QPointer>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The publishing log when it fails, else "".
inline std::string PublishIntoFolder(TMainWindowFixture& f, const std::string& folder)
{
    std::unique_ptr<TAbstractDBConnection> connection = f.Data().GetConnectionFactory().OpenSecondConnection();
    TfrmDetailProcess::TEnvironment environment;
    environment.Gui = &f.Boxes();
    QPointer<TfrmDetailProcess> window = new TfrmDetailProcess(environment);
    window->CreatePublisher(
        {"Path=" + folder, "LangCode=", "IndexFileName=index.html"},
        [&](std::vector<std::string>& params, TAbstractDBConnection* on, TPublisherRunner& runner) {
            return std::make_unique<TPublishLocally>(params, *on,
                                                     TPublisherEnvironment{f.Boxes(), nullptr, &runner, &f.Root()});
        },
        connection.get());
    window->StartProcess();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->IsFinished(); }, 60000));
    const bool succeeded = window->GetPublisher() && window->GetPublisher()->Succeeded();
    const std::string log = window->LogView()->toPlainText().toStdString();
    delete window.data();
    return succeeded ? "" : log;
}
