#include "gui/MessageBox.h"

#include "common/CommonGui.h"
#include "gui/UiText.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

using UiText::Tr;

TfrmMessageBox::TfrmMessageBox(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmMessageBox");
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* row = new QHBoxLayout;
    icon_ = new QLabel(this);
    icon_->setObjectName("pbMessageBoxIcon");
    icon_->setAlignment(Qt::AlignTop);
    icon_->hide();
    message_ = new QLabel(this);
    message_->setObjectName("edtMessageBox");
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    messageArea_ = new QScrollArea(this);
    messageArea_->setFrameShape(QFrame::NoFrame);
    messageArea_->setWidgetResizable(true);
    messageArea_->setWidget(message_);
    messageArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    row->addWidget(icon_, 0, Qt::AlignTop);
    row->addSpacing(12);
    row->addWidget(messageArea_, 1);
    layout->addLayout(row);
    checkBox_ = new QCheckBox(this);
    checkBox_->setObjectName("cbMessageBox");
    checkBox_->hide();
    layout->addWidget(checkBox_);
    input_ = new QLineEdit(this);
    input_->setObjectName("edtMessageBoxValue");
    input_->hide();
    layout->addWidget(input_);
    buttons_ = new QDialogButtonBox(this);
    layout->addWidget(buttons_);
    SetButtons(mbOk);
}

void TfrmMessageBox::SetHelpTopic(const std::string& alias)
{
    helpTopic_ = alias;
    if (alias.empty() || helpButton_)
        return;
    helpButton_ = buttons_->addButton(Tr("Help"), QDialogButtonBox::HelpRole);
    helpButton_->setObjectName("btnMessageBox4");
    connect(helpButton_, &QPushButton::clicked, this, [this] {
        if (helpHandler_)
            helpHandler_({helpTopic_});
    });
    // The help role would close the box: keep it open.
    disconnect(buttons_, &QDialogButtonBox::helpRequested, nullptr, nullptr);
}

void TfrmMessageBox::SetIcon(int iconFlags)
{
    QStyle::StandardPixmap pixmap;
    switch (iconFlags) {
    case miError: pixmap = QStyle::SP_MessageBoxCritical; break;
    case miQuestion: pixmap = QStyle::SP_MessageBoxQuestion; break;
    case miWarning: pixmap = QStyle::SP_MessageBoxWarning; break;
    case miInformation: pixmap = QStyle::SP_MessageBoxInformation; break;
    default: icon_->hide(); return;
    }
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon_->setPixmap(style()->standardIcon(pixmap, nullptr, this).pixmap(size, size));
    icon_->show();
}

void TfrmMessageBox::AddButton(const char* caption, int answer)
{
    auto* button = new QPushButton(Tr(caption), this);
    button->setObjectName(QString("btnMessageBox%1").arg(answerButtons_.size() + 1));
    buttons_->addButton(button, answer == mrCancel || answer == mrNo ? QDialogButtonBox::RejectRole
                                                                       : QDialogButtonBox::AcceptRole);
    // Each button closes the box with its own answer, whatever its role.
    disconnect(button, nullptr, buttons_, nullptr);
    connect(button, &QPushButton::clicked, this, [this, answer] { done(answer); });
    answerButtons_.push_back(button);
}

void TfrmMessageBox::SetButtons(int flags)
{
    for (QPushButton* button : answerButtons_) {
        buttons_->removeButton(button);
        delete button;
    }
    answerButtons_.clear();
    switch (flags & 7) {
    case mbYesNoCancel:
        AddButton("Yes", mrYes);
        AddButton("No", mrNo);
        AddButton("Cancel", mrCancel);
        defaultAnswer_ = mrCancel;
        break;
    case mbYesNo:
        AddButton("Yes", mrYes);
        AddButton("No", mrNo);
        defaultAnswer_ = mrNo;
        break;
    case mbOkCancel:
        AddButton("Ok", mrOk);
        AddButton("Cancel", mrCancel);
        defaultAnswer_ = mrCancel;
        break;
    default:
        AddButton("Ok", mrOk);
        defaultAnswer_ = mrOk;
        break;
    }
    defaultIndex_ = (flags & mbDefaultButton3) ? 2 : (flags & mbDefaultButton2) ? 1 : 0;
    if (defaultIndex_ >= static_cast<int>(answerButtons_.size()))
        defaultIndex_ = 0;
    for (size_t i = 0; i < answerButtons_.size(); ++i)
        answerButtons_[i]->setDefault(static_cast<int>(i) == defaultIndex_);
}

void TfrmMessageBox::SetMessage(const QString& message, const QString& caption)
{
    message_->setText(message);
    setWindowTitle(caption);
}

void TfrmMessageBox::SetCheckBoxText(const QString& text, bool checked)
{
    checkBox_->setText(text);
    checkBox_->setChecked(checked);
    checkBox_->setVisible(!text.isEmpty());
}

void TfrmMessageBox::SetInputValue(const QString& value)
{
    input_->setText(value);
    input_->show();
}

bool TfrmMessageBox::IsChecked() const
{
    return checkBox_->isChecked();
}

QString TfrmMessageBox::InputValue() const
{
    return input_->text();
}

void TfrmMessageBox::reject()
{
    done(defaultAnswer_);
}

int TfrmMessageBox::ShowBox()
{
    // The message wraps at two thirds of the screen's width; its height is
    // capped at two thirds of the screen's height (the rest scrolls).
    const QScreen* screen = QApplication::primaryScreen();
    const QSize area = screen ? screen->availableSize() : QSize(1024, 768);
    const int maxWidth = area.width() * 2 / 3;
    const int maxHeight = area.height() * 2 / 3;
    const QFontMetrics metrics(message_->font());
    const QRect bounds = metrics.boundingRect(QRect(0, 0, maxWidth, 100000), Qt::TextWordWrap, message_->text());
    const int width = std::min(maxWidth, bounds.width() + 12);
    message_->setFixedWidth(width);
    messageArea_->setFixedSize(width, std::min(maxHeight, bounds.height() + 6));
    if (!input_->isHidden()) {
        input_->setMinimumWidth(std::max(width, 240));
        input_->setFocus();
        input_->selectAll();
    } else if (!answerButtons_.empty()) {
        answerButtons_[defaultIndex_]->setFocus();
    }
    return exec();
}
