#pragma once
// Scripts run by tests in a web page, in the program's own script world.
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <gtest/gtest.h>

// Runs Script in Page and waits for its result.
inline QVariant EvaluateInPage(QWebEnginePage& page, const QString& script)
{
    QVariant value;
    bool done = false;
    page.runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& result) {
        value = result;
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 10000)) << "the page gave no answer to a script";
    return value;
}
