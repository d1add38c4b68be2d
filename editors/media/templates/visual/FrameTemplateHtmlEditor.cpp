#include "editors/media/templates/visual/FrameTemplateHtmlEditor.h"

#include "common/CommonFunctions.h"
#include "common/CommonGui.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/framework/ui/EditorWait.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/media/templates/visual/DesignTreeJson.h"
#include "editors/site/WebScript.h"
#include "editors/site/html/DesignView.h"
#include "gui/UiText.h"
#include "storage/AbstractCObject.h"
#include "storage/CatalogTables.h"

#include <QAction>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

using UiText::Q;

namespace {

constexpr const char* kXmlDataClass = "XmlData";
constexpr const char* kSourceMember = "SourceCode";

}  // namespace

TFrameTemplateHtmlEditor::TFrameTemplateHtmlEditor(TFrameSite& site)
{
    setObjectName("TFrameTemplateHtmlEditor");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    TQtFrameSite::PlaceInto(site, this);
}

TFrameTemplateHtmlEditor::~TFrameTemplateHtmlEditor() = default;

void TFrameTemplateHtmlEditor::InitControls()
{
    TTolvexControlClass& context = *GetContext();
    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName("tbTemplateHtml");
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    struct TCommand {
        const char* Caption;
        const char* Name;
        const char* Command;
        QKeySequence Keys;
    };
    for (const TCommand& c : {TCommand{"Bold", "actBold", "bold", QKeySequence::Bold},
                              TCommand{"Italic", "actItalic", "italic", QKeySequence::Italic},
                              TCommand{"Underline", "actUnderline", "underline", QKeySequence::Underline},
                              TCommand{"Align Left", "actAlignLeft", "justifyLeft", {}},
                              TCommand{"Center", "actCenter", "justifyCenter", {}},
                              TCommand{"Align Right", "actAlignRight", "justifyRight", {}},
                              TCommand{"Numbered List", "actOrderedList", "insertOrderedList", {}},
                              TCommand{"Bulleted List", "actUnorderedList", "insertUnorderedList", {}}}) {
        QAction* action = toolbar_->addAction(tr(c.Caption));
        action->setObjectName(c.Name);
        if (!c.Keys.isEmpty()) {
            action->setShortcut(c.Keys);
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        }
        const char* command = c.Command;
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
        if (c.Command == std::string("underline") || c.Command == std::string("justifyRight"))
            toolbar_->addSeparator();
    }
    toolbar_->addSeparator();
    QAction* picture = toolbar_->addAction(tr("Insert Picture"));
    picture->setObjectName("actInsertPicture");
    connect(picture, &QAction::triggered, this, [this] { InsertPicture(); });
    layout()->addWidget(toolbar_);

    status_ = new QLabel(this);
    status_->setObjectName("lblTemplateState");
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);
    status_->setMargin(6);
    status_->setStyleSheet("QLabel { background: #fff4ce; color: #3b2f00; border-bottom: 1px solid #e0c060; }");
    status_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    status_->hide();
    layout()->addWidget(status_);

    view_ = new TDesignView(context.Services().Gui, this);
    view_->setObjectName("TemplateDesignView");
    static_cast<QVBoxLayout*>(layout())->addWidget(view_, 1);
    addActions(toolbar_->actions());
    connect(view_, &TDesignView::Modified, this, [this] {
        if (!TrackChanges || model_.State() != TTemplateDesignModel::TState::Editable)
            return;
        edited_ = true;
        SetModified();
    });
    connect(view_, &TDesignView::Ready, this, [this] {
        const int load = load_;
        ReadTree([this, load](bool read, const TDesignNode& tree) {
            if (load != load_)
                return;
            if (read)
                model_.CheckRoundTrip(tree);
            else
                model_.CheckRoundTrip(TDesignNode{});
            checked_ = true;
            ApplyState();
            emit Checked();
        });
    });
}

std::string TFrameTemplateHtmlEditor::SourceCode()
{
    TAbstractCObject* data = GetObject(kXmlDataClass);
    return data ? data->GetLangString(kSourceMember, kNoLanguageCode, 0) : std::string();
}

void TFrameTemplateHtmlEditor::LoadFromObjects(bool languageSwitch)
{
    // The template has no language of its own: a language switch changes nothing.
    if (languageSwitch && checked_)
        return;
    Show();
}

void TFrameTemplateHtmlEditor::TabShown()
{
    TTolvexFrameEditor::TabShown();
    // Another page of the item (the source editor) may have changed the XSL.
    if (!edited_ && SourceCode() != model_.Xsl())
        Show();
}

void TFrameTemplateHtmlEditor::Show()
{
    ++load_;
    checked_ = false;
    edited_ = false;
    refusal_.clear();
    model_.Load(SourceCode(), GetContext()->GetItemType());
    ApplyState();
    const std::string lang = GetContext()->GetCurrentLangCode();
    const QUrl base(QStringLiteral("tolvex://preview/%1/%2.html")
                        .arg(Q(lang.empty() ? std::string("EN") : lang))
                        .arg(GetContext()->GetTreeItemId()));
    view_->LoadDocument(model_.State() == TTemplateDesignModel::TState::Blank ? "<html><body></body></html>"
                                                                                : model_.Document(),
                        base);
}

void TFrameTemplateHtmlEditor::ApplyState()
{
    using TState = TTemplateDesignModel::TState;
    const TState state = model_.State();
    toolbar_->setEnabled(state == TState::Editable);
    if (state == TState::ReadOnly) {
        status_->setText(Q(model_.Reason()));
        status_->show();
    } else if (state == TState::Loading) {
        status_->setText(tr("Checking whether the template can be edited visually..."));
        status_->show();
    } else {
        status_->hide();
    }
    if (checked_ && state != TState::Editable)
        view_->RunScript(QStringLiteral("document.designMode = 'off'; true"));
}

void TFrameTemplateHtmlEditor::ReadTree(std::function<void(bool, const TDesignNode&)> done)
{
    const QString script = WebScript("designTree.js") +
                           (model_.WholeDocument() ? QStringLiteral("('document')") : QStringLiteral("('body')"));
    view_->RunScriptAfterKeys(script, [done](const QVariant& result) {
        TDesignNode tree;
        const bool read = DesignTreeFromJson(result.toString().toUtf8(), tree);
        done(read, tree);
    });
}

void TFrameTemplateHtmlEditor::RunCommand(const char* command)
{
    if (model_.State() == TTemplateDesignModel::TState::Editable)
        view_->ExecCommand(command);
}

void TFrameTemplateHtmlEditor::InsertPicture()
{
    if (model_.State() != TTemplateDesignModel::TState::Editable)
        return;
    TTolvexControlClass& context = *GetContext();
    std::vector<std::string> params{"MainImageSize=" + context.GetCatalogOption(702),
                                    "LargeImageSize=" + context.GetCatalogOption(703), "CanLargeCopy=yes",
                                    "FolderName=Template design images"};
    if (!context.RunDialog("HtmlImage", params))
        return;
    const std::string id = ValueOfName(params, "ImageItemId");
    if (id.empty())
        return;
    const std::string address = "../images/" + TCommonFunctions::EncodeUrlPath(id) + "." +
                                TCommonFunctions::GetMimeSubtype(ValueOfName(params, "ImageMimeType"));
    view_->setFocus();
    view_->ExecCommand("insertImage", address, [this](bool) {
        if (TrackChanges && model_.State() == TTemplateDesignModel::TState::Editable) {
            edited_ = true;
            SetModified();
        }
    });
}

void TFrameTemplateHtmlEditor::StoreToObjects(bool)
{
    if (!edited_ || !view_ || model_.State() != TTemplateDesignModel::TState::Editable)
        return;
    TAbstractCObject* data = GetObject(kXmlDataClass);
    if (!data)
        return;
    // The wait keeps this frame and its editor on the stack: the user's
    // clicks and keys wait for its end.
    const TEditorWait waiting;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(readTimeoutMs_);
    // 0 waiting, 1 answered, 2 given up: a late answer then leaves the loop alone.
    auto state = std::make_shared<int>(0);
    auto tree = std::make_shared<std::pair<bool, TDesignNode>>();
    ReadTree([state, tree, &loop](bool read, const TDesignNode& node) {
        if (*state == 2)
            return;
        *tree = {read, node};
        *state = 1;
        loop.quit();
    });
    if (*state == 0)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (*state == 0)
        *state = 2;
    if (*state != 1 || !tree->first) {
        refusal_ = "The design view did not answer in time, so the template was not stored. Wait a moment and "
                   "try again.";
        return;
    }
    std::string xsl;
    if (!model_.Converted(tree->second, xsl, refusal_))
        return;
    data->SetLangString(kSourceMember, kNoLanguageCode, xsl, 0);
}

bool TFrameTemplateHtmlEditor::Save()
{
    refusal_.clear();
    const bool saved = TTolvexFrameEditor::Save();
    if (refusal_.empty())
        return saved;
    GetContext()->Services().Gui.ShowError(refusal_, false);
    SetModified();
    GetUIEditor()->SetInvalidControl(view_);
    return false;
}
