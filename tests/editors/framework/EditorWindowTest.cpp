// Editor windows: a named dialog of the catalog opens its item type's
// editors in a modal window, takes its start value from the parameter list
// and writes its answer there on Ok; its Undo works on the focused control;
// a save that fails keeps the window open with what was typed; in wizard
// mode the pages are walked with Prev and Next and Finish saves; the close
// box cancels.
#include "MainWindowFixture.h"

#include "editors/framework/EditorParams.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/framework/ui/frmFrameContainer.h"
#include "gui/UndoRedoAction.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A page whose edit starts with "InitCaption" and answers "Answer"; the
// text "refuse" is refused.
class TAnswerFrame : public QWidget, public TTolvexFrameEditor {
public:
    explicit TAnswerFrame(TFrameSite& site)
    {
        edit_ = new QLineEdit(this);
        edit_->setObjectName("edtAnswer");
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(edit_);
        layout->addStretch();
        connect(edit_, &QLineEdit::textChanged, this, [this] { SetModified(); });
        if (TQtFrameSite* page = TQtFrameSite::Of(site))
            page->Place(this);
    }
    void LoadFromObjects(bool) override
    {
        TrackChanges = false;
        if (std::vector<std::string>* params = GetContext()->GetParams())
            edit_->setText(QString::fromUtf8(ValueOfName(*params, "InitCaption").c_str()));
        TrackChanges = true;
    }
    void StoreToObjects(bool) override
    {
        if (std::vector<std::string>* params = GetContext()->GetParams())
            editor_params::SetValue(*params, "Answer", edit_->text().toUtf8().toStdString());
    }
    bool Save() override
    {
        if (edit_->text() == "refuse") {
            GetUIEditor()->SetInvalidControl(edit_);
            return false;
        }
        return TTolvexFrameEditor::Save();
    }

private:
    QLineEdit* edit_;
};

const TFrameClassOf<TAnswerFrame> kAnswerFrame("", "TAnswerFrame");

class TThreePagesEditor : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override
    {
        AddTab("First", "Wizard-first", &kAnswerFrame);
        AddTab("Second", "Wizard-second", &kAnswerFrame);
        AddTab("Third", "Wizard-third", &kAnswerFrame);
    }
    void GetPreferredSize(int& width, int& height) const override
    {
        width = 480;
        height = 260;
    }
};

void RegisterAll(TInternalPluginsManager& registry)
{
    RegisterFrameworkClasses(registry);
    registry.RegisterPluginClass("CommonInsertTable", pkItemEditor,
                                 [](const std::string& name, const std::string& params) {
                                     return std::unique_ptr<TAbstractPluginClass>(new TThreePagesEditor(name, params));
                                 });
}

// Runs Act on the editor window once it is shown.
void WhenShown(const std::function<void(TfrmFrameContainer&)>& act)
{
    QTimer::singleShot(0, [act] {
        QElapsedTimer timer;
        timer.start();
        TfrmFrameContainer* window = nullptr;
        while (!window && timer.elapsed() < 10000) {
            QCoreApplication::processEvents();
            window = qobject_cast<TfrmFrameContainer*>(QApplication::activeModalWidget());
        }
        ASSERT_NE(window, nullptr);
        act(*window);
    });
}

void Picture(QWidget& widget, const char* name)
{
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
        widget.grab().save(QString("%1/%2.png").arg(dir, name));
}

TEST(EditorWindow, NamedDialogAnswersThroughItsParametersAndStaysOpenWhenTheSaveFails)
{
    TMainWindowFixture f(RegisterAll);
    ASSERT_EQ(f.CreateAndOpen(), "");
    std::vector<std::string> params{"InitCaption=Hello"};
    bool stayedOpen = false;
    WhenShown([&](TfrmFrameContainer& window) {
        auto* edit = window.findChild<QLineEdit*>("edtAnswer");
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), "Hello");
        // The window has an Undo of its own, which reaches the focused control.
        edit->setFocus();
        QTest::keyClicks(edit, " there");
        TUndoRedoAction* undo = nullptr;
        for (TUndoRedoAction* action : window.findChildren<TUndoRedoAction*>())
            if (action->Kind() == TUndoRedoAction::TKind::Undo)
                undo = action;
        EXPECT_TRUE(undo && undo->isEnabled());
        if (undo)
            undo->trigger();
        EXPECT_EQ(edit->text(), "Hello");
        edit->setText("refuse");
        Picture(window, "editor-window");
        window.btnContainerOk->click();
        stayedOpen = window.isVisible();
        EXPECT_EQ(edit->text(), "refuse") << "the user's edit stays";
        edit->setText("Table of prices");
        window.btnContainerOk->click();
    });
    TAbstractDBConnection& connection = f.Data().GetConnectionFactory().GetConnection();
    EXPECT_TRUE(f.Data().RunDialog("InsertTable", connection, params));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(ValueOfName(params, "Answer"), "Table of prices");
}

TEST(EditorWindow, WizardWalksItsPagesAndFinishSaves)
{
    TMainWindowFixture f(RegisterAll);
    ASSERT_EQ(f.CreateAndOpen(), "");
    WhenShown([&](TfrmFrameContainer& window) {
        EXPECT_EQ(window.btnContainerOk->text(), "< Prev");
        EXPECT_FALSE(window.btnContainerOk->isEnabled());
        EXPECT_TRUE(window.btnContainerCancel->isEnabled());
        EXPECT_TRUE(window.btnContainerFinish->isVisible());
        EXPECT_FALSE(window.findChild<QTabBar*>()->isVisible()) << "the pages are walked, not chosen";
        window.btnContainerCancel->click();
        window.btnContainerCancel->click();
        EXPECT_FALSE(window.btnContainerCancel->isEnabled()) << "Next ends on the last page";
        EXPECT_TRUE(window.btnContainerOk->isEnabled());
        Picture(window, "editor-wizard");
        window.btnContainerFinish->click();
    });
    EXPECT_TRUE(f.Shell().CatalogUI()->OpenInEditorWindow(-1, 201, "", true));
}

TEST(EditorWindow, TheCloseBoxCancels)
{
    TMainWindowFixture f(RegisterAll);
    ASSERT_EQ(f.CreateAndOpen(), "");
    std::vector<std::string> params;
    WhenShown([](TfrmFrameContainer& window) {
        window.findChild<QLineEdit*>("edtAnswer")->setText("typed");
        window.close();
    });
    TAbstractDBConnection& connection = f.Data().GetConnectionFactory().GetConnection();
    EXPECT_FALSE(f.Data().RunDialog("inserttable", connection, params));
    EXPECT_EQ(ValueOfName(params, "Answer"), "");
}

}  // namespace
