#include "editors/media/templates/settings/FrameTemplateSettings.h"

#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/media/templates/settings/TemplateSettingsModel.h"
#include "editors/site/SiteFrameContext.h"
#include "editors/site/WebScript.h"
#include "editors/site/html/PageChannel.h"

#include <QUrl>
#include <QVariant>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

// Main-frame loads other than the tab's own are refused: the page is a form
// to fill in, not a site to browse.
class TFrameTemplateSettings::TSettingsPage : public QWebEnginePage {
public:
    explicit TSettingsPage(TFrameTemplateSettings& owner)
        : QWebEnginePage(QWebEngineProfile::defaultProfile(), &owner), owner_(owner)
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override
    {
        return !isMainFrame || (owner_.model_ && owner_.model_->IsAllowedNavigation(url.toString().toStdString()));
    }
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }

private:
    TFrameTemplateSettings& owner_;
};

TFrameTemplateSettings::TFrameTemplateSettings(TFrameSite& site)
    : changes_([this] {
          if (TrackChanges)
              SetModified();
      })
{
    setObjectName("TFrameTemplateSettings");
    wbSettings_ = new QWebEngineView(this);
    wbSettings_->setObjectName("wbSettings");
    auto* page = new TSettingsPage(*this);
    wbSettings_->setPage(page);
    auto* channel = new TPageChannel(*page, QStringLiteral("tolvexTemplateSettings"), WebScript("webForm.js"), this);
    connect(channel, &TPageChannel::Posted, this, &TFrameTemplateSettings::PageReported);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(wbSettings_);
    TQtFrameSite::PlaceInto(site, this);
}

TFrameTemplateSettings::~TFrameTemplateSettings()
{
    // No report reaches the frame while the page goes.
    delete wbSettings_;
}

void TFrameTemplateSettings::InitControls()
{
    settingsLoaded_ = false;
    model_ = std::make_unique<TTemplateSettingsModel>(SiteModelContextOf(*this));
    wbSettings_->setVisible(model_->SettingsItemId() != 0);
}

void TFrameTemplateSettings::LoadFromObjects(bool languageSwitch)
{
    if (settingsLoaded_ || languageSwitch || !model_ || model_->SettingsItemId() == 0)
        return;
    settingsLoaded_ = true;
    changes_.ClearFired();
    formData_.clear();
    const TTemplateSettingsModel::TFormPage page = model_->Generate();
    wbSettings_->load(QUrl(QString::fromStdString(page.Url)));
}

bool TFrameTemplateSettings::Save()
{
    const bool saved = TTolvexFrameViewer::Save();
    if (changes_.Fired() && wbSettings_->isVisibleTo(this) && model_) {
        changes_.ClearFired();
        model_->ApplySubmittedData(formData_);
    }
    return saved;
}

void TFrameTemplateSettings::Cancel()
{
    TTolvexFrameViewer::Cancel();
    changes_.ClearFired();
}

void TFrameTemplateSettings::PageReported(const QString& kind, const QString& formData, const QVariant& element)
{
    formData_ = formData.toStdString();
    const QVariantList parts = element.toList();
    const std::string tag = parts.value(0).toString().toStdString();
    const QVariant type = parts.value(1);
    std::optional<std::string> typeAttribute;
    if (type.isValid() && !type.isNull())
        typeAttribute = type.toString().toStdString();
    // Typing changes the form before the field's change event, which comes
    // only when the field is left. A submit is only reported (the script
    // holds it back); Save takes the fields.
    if (kind == QLatin1String("input"))
        changes_.HandleEvent("change", tag, typeAttribute);
    else if (kind == QLatin1String("change") || kind == QLatin1String("click"))
        changes_.HandleEvent(kind.toStdString(), tag, typeAttribute);
}
