#include "editors/site/html/dialogs/HyperlinkFrame.h"

#include "gui/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using UiText::Q;
using UiText::S;
using UiText::Tr;

THyperlinkFrame::THyperlinkFrame(QWidget* parent) : TSiteDialogFrame(parent)
{
    auto* form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    // Labels above their fields: the long title label leaves the fields their width.
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    protocol_ = new QComboBox(this);
    for (const std::string& protocol : THyperlinkForm::Protocols())
        protocol_->addItem(protocol == "(none)" ? Tr(protocol) : Q(protocol));
    address_ = new QLineEdit(this);
    auto* addressRow = new QHBoxLayout;
    addressRow->addWidget(protocol_);
    addressRow->addWidget(address_, 1);
    caption_ = new QLineEdit(this);
    title_ = new QLineEdit(this);
    newWindow_ = new QCheckBox(Tr("Open in new window"), this);
    captionLabel_ = new QLabel(Tr("Link Caption"), this);
    form->addRow(Tr("URL"), addressRow);
    form->addRow(captionLabel_, caption_);
    form->addRow(Tr("\"A\" html tag \"title\" attribute"), title_);
    form->addRow(QString(), newWindow_);
    setTabOrder(protocol_, address_);
    setTabOrder(address_, caption_);
    setTabOrder(caption_, title_);
    setTabOrder(title_, newWindow_);

    connect(address_, &QLineEdit::textChanged, this, &THyperlinkFrame::OnAddressChanged);
    connect(protocol_, &QComboBox::currentIndexChanged, this, &THyperlinkFrame::OnAddressChanged);
    connect(caption_, &QLineEdit::textEdited, this, [this](const QString& text) {
        form_.CaptionTyped(S(text));
        if (tracking_)
            emit Modified();
    });
    connect(title_, &QLineEdit::textEdited, this, [this] {
        if (tracking_)
            emit Modified();
    });
    connect(newWindow_, &QCheckBox::toggled, this, [this] {
        if (tracking_)
            emit Modified();
    });
}

QString THyperlinkFrame::TabCaption() const { return Tr("Enter Hyperlink"); }

void THyperlinkFrame::OnAddressChanged()
{
    if (form_.AddressChanged(S(address_->text())))
        caption_->setText(Q(form_.Caption));
    if (tracking_)
        emit Modified();
}

void THyperlinkFrame::InitControls(const TDialogParams& params)
{
    emit CaptionChanged(Tr("Insert Hyperlink"));
    tracking_ = false;
    form_.Init(params);
    const THyperlinkForm start = form_;
    captionLabel_->setVisible(!start.CaptionHidden);
    caption_->setVisible(!start.CaptionHidden);
    caption_->setText(Q(start.Caption));
    protocol_->setCurrentIndex(start.Protocol);
    address_->setText(Q(start.Address));
    title_->setText(Q(start.Title));
    newWindow_->setChecked(start.NewWindow);
    tracking_ = true;
}

void THyperlinkFrame::Save(TDialogParams& params)
{
    form_.Protocol = protocol_->currentIndex();
    form_.Address = S(address_->text());
    form_.Caption = S(caption_->text());
    form_.Title = S(title_->text());
    form_.NewWindow = newWindow_->isChecked();
    form_.Save(params);
}
