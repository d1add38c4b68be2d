#include "publishing/ui/frmReportForm.h"

#include <QDialogButtonBox>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

// The page loads its own HTML once; every later navigation is refused.
class TFormPage : public QWebEnginePage {
public:
    explicit TFormPage(QObject* parent) : QWebEnginePage(QWebEngineProfile::defaultProfile(), parent) {}

protected:
    bool acceptNavigationRequest(const QUrl&, NavigationType, bool isMainFrame) override
    {
        if (!isMainFrame)
            return true;
        if (first_) {
            first_ = false;
            return true;
        }
        return false;
    }
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }

private:
    bool first_ = true;
};

// The first form's fields as a GET form sends them; empty without a form.
const char* const kFormData =
    "(function () { var f = document.forms[0]; if (!f) return '';"
    " return new URLSearchParams(new FormData(f)).toString(); })()";

}  // namespace

TfrmReportForm::TfrmReportForm(const std::string& html, const QString& caption, QWidget* parent) : QDialog(parent)
{
    setObjectName("frmReportForm");
    setWindowTitle(caption);
    resize(640, 420);
    view_ = new QWebEngineView(this);
    view_->setObjectName("wbReportCustomization");
    view_->setPage(new TFormPage(view_));
    connect(view_, &QWebEngineView::loadFinished, this, [this] { loaded_ = true; });
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &TfrmReportForm::Submit);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addWidget(buttons_);
    view_->setHtml(QString::fromStdString(html), QUrl(QStringLiteral("about:blank")));
}

void TfrmReportForm::Submit()
{
    if (submitting_)
        return;
    submitting_ = true;
    view_->page()->runJavaScript(QString::fromLatin1(kFormData), [self = QPointer<TfrmReportForm>(this)](const QVariant& data) {
        if (!self)
            return;
        self->submitting_ = false;
        self->submitted_ = data.toString().toStdString();
        if (self->submitted_.empty())
            self->reject();
        else
            self->accept();
    });
}
