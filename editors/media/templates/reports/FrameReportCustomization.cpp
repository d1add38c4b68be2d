#include "editors/media/templates/reports/FrameReportCustomization.h"

#include "editors/framework/EditorHost.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/EditorWait.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/media/templates/reports/ReportCustomizationModel.h"
#include "editors/site/SiteFrameContext.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace {

// The first form's fields as a GET form sends them; empty without a form.
const char* const kFormData =
    "(function () { var f = document.forms[0]; if (!f) return '';"
    " return new URLSearchParams(new FormData(f)).toString(); })()";

}  // namespace

// The browser goes only to the form page and to "about:blank"; a link or a
// sending of the form leaves the page where it is.
class TFrameReportCustomization::TFormPage : public QWebEnginePage {
public:
    explicit TFormPage(TFrameReportCustomization& owner)
        : QWebEnginePage(QWebEngineProfile::defaultProfile(), &owner), owner_(owner)
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override
    {
        // The form's own sending (Enter in a field, its submit button) is
        // the user's OK; it is pressed once the engine is done with this call.
        if (isMainFrame && type == NavigationTypeFormSubmitted) {
            if (owner_.model_ && owner_.model_->Submit("", url.toString().toStdString()))
                QTimer::singleShot(0, &owner_, [owner = &owner_] { owner->PressOk(); });
            return false;
        }
        return !isMainFrame ||
               (owner_.model_ && owner_.model_->IsAllowedNavigation(url.toString(QUrl::RemoveQuery).toStdString()) &&
                !url.hasQuery());
    }
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }

private:
    TFrameReportCustomization& owner_;
};

TFrameReportCustomization::TFrameReportCustomization(TFrameSite& site)
{
    setObjectName("TFrameReportCustomization");
    wbReportCustomization_ = new QWebEngineView(this);
    wbReportCustomization_->setObjectName("wbReportCustomization");
    wbReportCustomization_->setPage(new TFormPage(*this));
    connect(wbReportCustomization_, &QWebEngineView::loadFinished, this, [this] { loaded_ = true; });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(wbReportCustomization_);
    TQtFrameSite::PlaceInto(site, this);
}

TFrameReportCustomization::~TFrameReportCustomization()
{
    // No answer of the page reaches the frame while it goes.
    delete wbReportCustomization_;
}

void TFrameReportCustomization::InitControls()
{
    // OK always reaches Save, which takes the form.
    SetModified();
    model_ = std::make_unique<TReportCustomizationModel>(SiteModelContextOf(*this), GetContext()->GetParams());
    loaded_ = false;
    wbReportCustomization_->load(QUrl(QString::fromStdString(model_->Generate())));
}

std::string TFrameReportCustomization::FormData()
{
    TEditorWait wait;
    // OK pressed before the page is there waits for it a little.
    if (!loaded_) {
        QEventLoop loop;
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        connect(wbReportCustomization_, &QWebEngineView::loadFinished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        if (!loaded_)
            return {};
    }
    // The answer may come after the wait: it then finds the loop gone.
    struct TAnswer {
        bool done = false;
        std::string data;
        QPointer<QEventLoop> loop;
    };
    auto answer = std::make_shared<TAnswer>();
    QEventLoop loop;
    answer->loop = &loop;
    wbReportCustomization_->page()->runJavaScript(
        QString::fromLatin1(kFormData), QWebEngineScript::ApplicationWorld, [answer](const QVariant& data) {
            answer->data = data.toString().toStdString();
            answer->done = true;
            if (answer->loop)
                answer->loop->quit();
        });
    if (!answer->done) {
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return answer->done ? answer->data : std::string();
}

void TFrameReportCustomization::PressOk()
{
    if (TEditorWindow* window = GetContext() ? GetContext()->GetContainerForm() : nullptr)
        window->PressOk();
}

bool TFrameReportCustomization::Save()
{
    // A sending of the form has already given its data.
    if (model_ && !model_->HasSubmitted())
        model_->Submit(FormData(), "");
    return TTolvexFrameViewer::Save();
}
