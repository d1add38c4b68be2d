#include "editors/site/options/FrameTolvexAbout.h"

#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/options/FrameTolvexAboutModel.h"
#include "editors/site/SiteFrameContext.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

TFrameTolvexAbout::TFrameTolvexAbout(TFrameSite& site)
{
    setObjectName("TFrameTolvexAbout");
    wbTolvexAbout_ = new QWebEngineView(this);
    wbTolvexAbout_->setObjectName("wbTolvexAbout");
    btnTolvexAboutContinue_ = new QPushButton(tr("Continue"), this);
    btnTolvexAboutContinue_->setObjectName("btnTolvexAboutContinue");
    btnTolvexAboutContinue_->setDefault(true);
    cbTolvexAboutGoHome_ = new QCheckBox(tr("At startup go to home page"), this);
    cbTolvexAboutGoHome_->setObjectName("cbTolvexAboutGoHome");

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 4, 6, 6);
    buttons->addWidget(cbTolvexAboutGoHome_);
    buttons->addStretch();
    buttons->addWidget(btnTolvexAboutContinue_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(wbTolvexAbout_, 1);
    layout->addLayout(buttons);
    setTabOrder(btnTolvexAboutContinue_, cbTolvexAboutGoHome_);
    TQtFrameSite::PlaceInto(site, this);
}

TFrameTolvexAbout::~TFrameTolvexAbout() = default;

void TFrameTolvexAbout::InitControls()
{
    model_ = std::make_unique<TFrameTolvexAboutModel>(SiteModelContextOf(*this));
    cbTolvexAboutGoHome_->setChecked(model_->GoHome());
    connect(cbTolvexAboutGoHome_, &QCheckBox::toggled, this, [this](bool checked) { model_->SetGoHome(checked); });
    connect(btnTolvexAboutContinue_, &QPushButton::clicked, this,
            [this] { GetContext()->QueueAction(TFrameTolvexAboutModel::ContinueAction(), true); });
    wbTolvexAbout_->load(QUrl(QString::fromStdString(TFrameTolvexAboutModel::PageUrl(GetContext()->GetAppDir()))));
}
