#include "publishing/ui/frmImportWebSite.h"

#include "publishing/ui/PublishDialogParts.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using PublishDialogParts::Tr;
using UiText::Q;
using UiText::S;

TfrmImportWebSite::TfrmImportWebSite(const TWebSiteImportRequest& request, const TTranslation* translation,
                                     QWidget* parent)
    : QDialog(parent), translation_(translation)
{
    setObjectName("frmImportWebSite");
    setWindowTitle(Tr(translation, "Import Web Site"));

    url_ = new QLineEdit(Q(request.Url), this);
    url_->setObjectName("edtWebSiteAddress");
    url_->setPlaceholderText("https://www.example.com/");
    depth_ = new QSpinBox(this);
    depth_->setObjectName("seDownloadDepth");
    depth_->setRange(1, TWebSiteImportRequest::kMaxDepth);
    depth_->setValue(request.DownloadDepth);
    depth_->setToolTip(Tr(translation, "1: the start page alone; 2: also the pages it links to; and so on"));
    pages_ = new QSpinBox(this);
    pages_->setObjectName("seMaxPages");
    pages_->setRange(0, TWebSiteImportRequest::kMaxPages);
    pages_->setSpecialValueText(Tr(translation, "No limit"));
    pages_->setValue(request.MaxPages);
    underlying_ = new QCheckBox(Tr(translation, "Only pages below the start address"), this);
    underlying_->setObjectName("cbOnlyUnderlying");
    underlying_->setChecked(request.OnlyUnderlying);
    problem_ = new QLabel(this);
    problem_->setObjectName("lblWebSiteProblem");
    problem_->setStyleSheet("color: #b00020");
    problem_->setWordWrap(true);
    problem_->hide();
    connect(url_, &QLineEdit::textEdited, problem_, &QWidget::hide);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->addRow(Tr(translation, "Web site address:"), url_);
    form->addRow(Tr(translation, "Link depth:"), depth_);
    form->addRow(Tr(translation, "Pages at most:"), pages_);
    form->addRow(QString(), underlying_);

    auto* buttons = new QDialogButtonBox(this);
    import_ = buttons->addButton(Tr(translation, "Import"), QDialogButtonBox::AcceptRole);
    import_->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setText(Tr(translation, "Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrmImportWebSite::Confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addStretch(1);
    layout->addWidget(buttons);
    resize(480, sizeHint().height());
}

TWebSiteImportRequest TfrmImportWebSite::Request() const
{
    TWebSiteImportRequest request;
    request.Url = S(url_->text());
    request.DownloadDepth = depth_->value();
    request.MaxPages = pages_->value();
    request.OnlyUnderlying = underlying_->isChecked();
    return request;
}

void TfrmImportWebSite::Confirm()
{
    const std::string problem = Request().Problem();
    if (problem.empty()) {
        accept();
        return;
    }
    problem_->setText(Tr(translation_, problem.c_str()));
    problem_->show();
    url_->setFocus();
}
