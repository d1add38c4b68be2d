#include "editors/site/options/FrameFroogle.h"

#include "common/MemberTypes.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/options/FrameFroogleModel.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

using UiText::Q;
using UiText::S;

}  // namespace

TFrameFroogle::TFrameFroogle(TFrameSite& site)
{
    setObjectName("TFrameFroogle");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameFroogle::~TFrameFroogle() = default;

void TFrameFroogle::InitControls()
{
    auto edit = [this](const char* name) {
        auto* line = new QLineEdit(this);
        line->setObjectName(name);
        line->setMaxLength(kMaxShortTextLength);
        connect(line, &QLineEdit::textEdited, this, [this] { ControlsChanged(); });
        return line;
    };
    edtFtpSite_ = edit("edtFtpSite");
    edtUserName_ = edit("edtUserName");
    edtPassword_ = edit("edtPassword");
    edtPassword_->setEchoMode(QLineEdit::Password);

    auto* account = new QGroupBox(tr("Froogle Account"), this);
    auto* form = new QFormLayout(account);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    const std::pair<QString, QLineEdit*> rows[] = {
        {tr("&FTP Site:"), edtFtpSite_}, {tr("&User Name:"), edtUserName_}, {tr("&Password:"), edtPassword_}};
    for (const auto& [caption, line] : rows) {
        auto* label = new QLabel(caption, account);
        label->setBuddy(line);
        form->addRow(label, line);
    }
    auto* note = new QLabel(tr("File / Export / Product Feed writes the feed; it needs the user name, "
                               "which also names the feed's file."),
                            this);
    note->setObjectName("lblFroogleNote");
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(account);
    layout->addWidget(note);
    layout->addStretch();
}

void TFrameFroogle::LoadFromObjects(bool languageSwitch)
{
    // The settings are the same in every language: a switch keeps what shows.
    if (languageSwitch && model_)
        return;
    TrackChanges = false;
    if (!model_) {
        model_ = std::make_unique<TFrameFroogleModel>(SiteModelContextOf(*this));
        model_->UseWrites(TSiteDatabaseWrites::Deferred(*GetContext()));
    }
    model_->Load();
    const TFrameFroogleModel::TValues& values = model_->Values();
    edtFtpSite_->setText(Q(values.FTPSite));
    edtUserName_->setText(Q(values.UserName));
    edtPassword_->setText(Q(values.Password));
    TrackChanges = true;
}

void TFrameFroogle::ControlsChanged()
{
    if (!TrackChanges || !model_)
        return;
    model_->SetValues({S(edtFtpSite_->text()), S(edtUserName_->text()), S(edtPassword_->text())});
    SetModified();
}

void TFrameFroogle::StoreToObjects(bool /*languageSwitch*/)
{
    if (model_ && model_->IsModified())
        model_->Store();
}

void TFrameFroogle::Cancel()
{
    if (model_)
        model_->Forget();
    TTolvexFrameEditor::Cancel();
}

void TFrameFroogle::AfterSave()
{
    if (model_)
        model_->Forget();
}
