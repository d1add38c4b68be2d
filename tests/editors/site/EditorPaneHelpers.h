#pragma once
// Small helpers for tests that drive an item's editor in the main window's
// editor pane: the frame shown on a tab, a second data language, scripts
// run in a web page, and pictures of the window.
#include "../framework/MainWindowFixture.h"

#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/TolvexUIEditor.h"
#include "storage/QueryGuard.h"

#include <QString>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <cstdlib>
#include <string>

// The created frame of the tab in the main editor, of type TFrame; null when
// the tab was never shown or holds another frame.
template <class TFrame>
TFrame* FrameOfTab(TMainWindowFixture& f, const std::string& tabName)
{
    for (const auto& editor : f.Editor().Container()->Editors())
        if (auto* frame = dynamic_cast<TFrame*>(editor->FrameOfTab(tabName)))
            return frame;
    return nullptr;
}

// A second data language after the open catalog's first one.
inline void AddDataLanguage(TMainWindowFixture& f, const std::string& langCode)
{
    TQueryGuard query(f.Main());
    query->SetSQL("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                  "MemberType, StringValue) SELECT CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                  "IndexId + 1, MemberType, :Lang FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = 601 "
                  "AND ClassId = 601 AND MemberId = 1 ORDER BY IndexId DESC LIMIT 1");
    query->SetParam("Lang", langCode);
    query->SetParam("CatalogCode", f.Data().GetCatalogCode());
    query->ExecSQL();
    query->Close();
    f.Data().LoadLanguages(f.Main());
}

// Runs Script in the program's own script world of Page; its result as text.
inline QString RunScript(QWebEnginePage& page, const QString& script)
{
    QString value;
    bool done = false;
    page.runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& result) {
        value = result.toString();
        done = true;
    });
    QTest::qWaitFor([&] { return done; }, 10000);
    return value;
}

// With TOLVEX_SCREENSHOT_DIR set, a picture of the main window as Name.png there.
inline void ShootMainWindow(TMainWindowFixture& f, const char* name)
{
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR")) {
        f.Window().resize(1100, 720);
        QTest::qWait(500);
        f.Window().grab().save(QString("%1/%2.png").arg(dir, name));
    }
}
