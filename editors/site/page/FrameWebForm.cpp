#include "editors/site/page/FrameWebForm.h"

#include "catalog/Catalog.h"
#include "catalog/Tolvex.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/WebScript.h"
#include "editors/site/page/FrameWebFormModel.h"
#include "editors/site/html/PageChannel.h"
#include "editors/site/SiteFrameContext.h"

#include <QUrl>
#include <QVariant>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

const TFrameClassOf<TFrameWebForm> kWebFormFrame("", "TFrameWebForm");

}  // namespace

void TWebForm::CreatePages()
{
    AddTab(TFrameWebFormModel::TabCaption(GetContext()->Services().Root.Catalog().GetDefinition(), GetName()),
           GetName(), &kWebFormFrame);
}

// The browser goes only to the form page itself and to "about:blank"; a
// link of the form page leaves the page where it is.
class TFrameWebForm::TFormPage : public QWebEnginePage {
public:
    TFormPage(TFrameWebForm& owner) : QWebEnginePage(QWebEngineProfile::defaultProfile(), &owner), owner_(owner) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override
    {
        return !isMainFrame || (owner_.model_ && owner_.model_->IsAllowedNavigation(url.toString().toStdString()));
    }
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }

private:
    TFrameWebForm& owner_;
};

TFrameWebForm::TFrameWebForm(TFrameSite& site)
    : changes_([this] {
          if (model_)
              model_->NoteChange();
          if (TrackChanges)
              SetModified();
      })
{
    setObjectName("TFrameWebForm");
    wbWebForm_ = new QWebEngineView(this);
    wbWebForm_->setObjectName("wbWebForm");
    auto* page = new TFormPage(*this);
    wbWebForm_->setPage(page);
    auto* channel = new TPageChannel(*page, QStringLiteral("tolvexWebForm"), WebScript("webForm.js"), this);
    connect(channel, &TPageChannel::Posted, this, &TFrameWebForm::PageReported);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(wbWebForm_);
    TQtFrameSite::PlaceInto(site, this);
}

TFrameWebForm::~TFrameWebForm()
{
    // No report reaches the frame while the page goes.
    delete wbWebForm_;
}

void TFrameWebForm::InitControls() {}

void TFrameWebForm::LoadFromObjects(bool languageSwitch)
{
    // The form stays in the language it was made in.
    if (languageSwitch)
        return;
    model_ = std::make_unique<TFrameWebFormModel>(SiteModelContextOf(*this), GetUIEditor()->GetName());
    changes_.ClearFired();
    formData_.clear();
    const TFrameWebFormModel::TFormPage form = model_->Generate();
    wbWebForm_->load(QUrl(form.Url.empty() ? QStringLiteral("about:blank") : QString::fromStdString(form.Url)));
}

void TFrameWebForm::StoreToObjects(bool languageSwitch)
{
    // An unchanged form is not taken: its stored data stays as it was.
    if (languageSwitch || !model_ || !model_->ShouldSubmit())
        return;
    Submit();
}

void TFrameWebForm::Submit()
{
    std::string renamed;
    model_->ApplySubmittedData(formData_, "", &renamed);
    changes_.ClearFired();
    if (renamed.empty())
        return;
    SetModified();
    if (std::vector<std::string>* params = GetContext()->GetParams()) {
        editor_params::SetValue(*params, "NameChanged", renamed);
        editor_params::SetValue(*params, "NameChangedItemId", std::to_string(GetContext()->GetTreeItemId()));
    }
}

void TFrameWebForm::PageReported(const QString& kind, const QString& formData, const QVariant& element)
{
    formData_ = formData.toStdString();
    const QVariantList parts = element.toList();
    const std::string tag = parts.value(0).toString().toStdString();
    const QVariant type = parts.value(1);
    std::optional<std::string> typeAttribute;
    if (type.isValid() && !type.isNull())
        typeAttribute = type.toString().toStdString();
    if (kind == QLatin1String("submit")) {
        Submit();
    } else if (kind == QLatin1String("input")) {
        // Typing changes the form before the field's change event, which
        // comes only when the field is left.
        changes_.HandleEvent("change", tag, typeAttribute);
    } else if (kind != QLatin1String("load")) {
        changes_.HandleEvent(kind.toStdString(), tag, typeAttribute);
    }
}
