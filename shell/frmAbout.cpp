#include "shell/frmAbout.h"

#include "gui/HelpRequests.h"
#include "common/Translation.h"
#include "catalog/Singletons.h"
#include "gui/UiText.h"
#include "shell/frmTextMessage.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

using UiText::Q;
using UiText::Tr;

namespace {

QLabel* Link(const QString& target, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(QString("<a href=\"%1\">%2</a>").arg(target.toHtmlEscaped(), caption.toHtmlEscaped()),
                             parent);
    label->setCursor(Qt::PointingHandCursor);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return label;
}

}  // namespace

TfrmAbout::TfrmAbout(TContent content, QWidget* parent) : QDialog(parent), content_(std::move(content))
{
    setObjectName("frmAbout");
    setWindowTitle(Tr("About"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel(this);
    const QIcon programIcon = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_ComputerIcon)
                                                                   : QApplication::windowIcon();
    icon->setPixmap(programIcon.pixmap(64, 64));
    top->addWidget(icon, 0, Qt::AlignTop);
    auto* text = new QVBoxLayout;
    auto* name = new QLabel("Tolvex", this);
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.8);
    name->setFont(big);
    text->addWidget(name);
    lblVersion = new QLabel(
        Q(TTranslation::OrEnglish(::Translation).Format("Version $1", {content_.Version})), this);
    lblVersion->setObjectName("lblVersion");
    text->addWidget(lblVersion);
    QLabel* home = Link(Q(content_.HomePage), Q(content_.HomePage), this);
    QLabel* mail = Link("mailto:" + Q(content_.SupportAddress), Q(content_.SupportAddress), this);
    for (QLabel* link : {home, mail}) {
        connect(link, &QLabel::linkActivated, this, [this](const QString& target) {
            if (content_.OpenUrl)
                content_.OpenUrl(UiText::S(target));
        });
        text->addWidget(link);
    }
    top->addLayout(text, 1);
    layout->addLayout(top);
    lblFolders = new QLabel(Q(content_.Folders), this);
    lblFolders->setObjectName("lblFolders");
    lblFolders->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblFolders->setWordWrap(true);
    layout->addWidget(lblFolders);
    auto* buttons = new QDialogButtonBox(this);
    btnSystemInformation = buttons->addButton(Tr("System Information"), QDialogButtonBox::ActionRole);
    btnSystemInformation->setEnabled(content_.Environment != nullptr);
    btnOk = buttons->addButton(Tr("Ok"), QDialogButtonBox::AcceptRole);
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnSystemInformation, &QPushButton::clicked, this, [this] {
        if (content_.Environment)
            TfrmTextMessage::ShowInformation(*content_.Environment, this);
    });
    layout->addStretch(1);
    layout->addWidget(buttons);
    setMinimumWidth(460);
    btnOk->setFocus();
}

void TfrmAbout::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && content_.Help) {
        content_.Help->ShowHelpForAlias("Context_299");
        return;
    }
    QDialog::keyPressEvent(event);
}
