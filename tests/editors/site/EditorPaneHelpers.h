#pragma once
// Small helpers for tests that drive an item's editor in the main window's
// editor pane: the frame shown on a tab, a second data language, scripts
// run in a web page, a page generated with the unsaved values, controls
// found and typed over, Save and Cancel pressed, a modal editor window
// answered, and pictures of the window.
#include "../framework/MainWindowFixture.h"
#include "../PageScript.h"

#include "catalog/CatalogPageGeneration.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/framework/ui/frmFrameContainer.h"
#include "editors/site/html/FrameSourcesDataEditor.h"
#include "editors/site/html/SourceTextEdit.h"
#include "editors/site/html/SourcesEditorWidget.h"
#include "generation/Transformer.h"
#include "storage/ObjectCollection.h"
#include "storage/QueryGuard.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <cstdlib>
#include <functional>
#include <memory>
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
    return EvaluateInPage(page, script).toString();
}

// A page generated as the main editor's preview generates it: with the
// values not saved yet, through the editor's own connection.
inline std::string GeneratePage(TMainWindowFixture& f, int itemId)
{
    TTolvexControlClass& context = *f.Editor().Context();
    std::string html;
    context.WithUnsavedValues([&](TAbstractDBConnection& connection) {
        TTransformer transformer(f.Data().GetPageGeneration(), f.Data().GetCatalogCode(), nullptr);
        const int type = f.Data().GetQueries().GetItemType(itemId, f.Data().GetCatalogCode(), connection);
        transformer.GeneratePage(itemId, itemId, type, context.GetCurrentLangCode(), context.GetObjectCollection(),
                                 connection, "");
        html = transformer.GetResultHtml();
    });
    return html;
}

// With TOLVEX_SCREENSHOT_DIR set, a picture of the main window as site-<name>.png
// there, after a moment for web views to paint.
inline void Shoot(TMainWindowFixture& f, const char* name)
{
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR")) {
        f.Window().resize(1100, 720);
        QTest::qWait(300);
        f.Window().grab().save(QString("%1/site-%2.png").arg(dir, name));
    }
}

// A control of the main window's editor pane, by object name.
template <class T>
T* Find(TMainWindowFixture& f, const char* name)
{
    return f.EditorPane()->findChild<T*>(name);
}

// Types Text over the whole content of Edit, as a user would.
inline void TypeOver(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Opens the page's source tab and types Text over its upper editor's whole
// text, as a user would; false when the tab or its frame is not there.
inline bool TypeIntoPageSource(TMainWindowFixture& f, const QString& text)
{
    if (!f.Editor().Container()->ActivateTabByName("SourcesEditor-basic"))
        return false;
    auto* source = FrameOfTab<TFrameSourcesPageEditor>(f, "SourcesEditor-basic");
    if (!source)
        return false;
    TSourceTextEdit* edit = source->Editor()->TopEditor();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    return true;
}

inline void PressSave(TMainWindowFixture& f) { QTest::mouseClick(f.SaveButton(), Qt::LeftButton); }
inline void PressCancel(TMainWindowFixture& f) { QTest::mouseClick(f.CancelButton(), Qt::LeftButton); }

// Runs Act on the next modal editor window (a named dialog, a wizard) once it
// shows. The window is looked for on each tick of a timer, never in a waiting
// loop of its own: a dialog opened while such a loop ran would run inside it
// and never be found. A window the answer left open is cancelled and fails
// the test instead of hanging it.
inline void WhenShown(const std::function<void(TfrmFrameContainer&)>& act)
{
    auto* poll = new QTimer;
    poll->setInterval(20);
    auto deadline = std::make_shared<QDeadlineTimer>(10000);
    QObject::connect(poll, &QTimer::timeout, [poll, act, deadline] {
        auto* window = qobject_cast<TfrmFrameContainer*>(QApplication::activeModalWidget());
        if (!window && !deadline->hasExpired())
            return;
        poll->stop();
        poll->deleteLater();
        if (!window) {
            ADD_FAILURE() << "no editor window showed";
            return;
        }
        QPointer<TfrmFrameContainer> shown(window);
        act(*window);
        QTimer::singleShot(3000, [shown] {
            if (shown && shown->isVisible()) {
                ADD_FAILURE() << "the editor window stayed open";
                shown->btnContainerCancel->click();
            }
        });
    });
    poll->start();
}
