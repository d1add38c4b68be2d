#pragma once
// A design view shown alone on a page loaded through the preview scheme's
// address, for the tests of the view and of its table commands.
#include "editors/QtTestApplication.h"
#include "editors/site/html/DesignDocument.h"
#include "editors/site/html/DesignView.h"
#include "support/ScriptedGui.h"

#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <string>

class TDesignViewFixture : public ::testing::Test {
protected:
    TDesignViewFixture()
    {
        EnsureQtApplication();
        view = std::make_unique<TDesignView>(gui);
        view->resize(520, 260);
        view->show();
    }
    ~TDesignViewFixture() override
    {
        // The engine finishes with the page in the event loop, as in the program.
        view.reset();
        QTest::qWait(100);
    }
    // Loads Html with the style sheet Css as the top part and waits until it is ready.
    void LoadPart(const std::string& html, const std::string& css)
    {
        QSignalSpy ready(view.get(), &TDesignView::Ready);
        view->LoadDocument(TDesignDocument::Document(html, css, true, ""),
                           QUrl(QStringLiteral("tolvex://preview/EN/dhtmlTop.html")));
        ASSERT_TRUE(ready.wait(20000));
    }

    TScriptedGui gui;
    std::unique_ptr<TDesignView> view;
};
