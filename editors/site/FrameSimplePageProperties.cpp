#include "editors/site/page/FrameSimplePageProperties.h"

#include "editors/framework/TolvexControlClass.h"
#include "editors/site/page/FrameSimplePagePropertiesModel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TFrameSimplePageProperties::TFrameSimplePageProperties(TFrameSite& site)
    : TPagePropertiesFrameBase(site, "TFrameSimplePageProperties", tr("&Name:"))
{
}

std::unique_ptr<TPagePropertiesModel> TFrameSimplePageProperties::CreateModel(const TSiteModelContext& context)
{
    return std::make_unique<TFrameSimplePagePropertiesModel>(context);
}

TFrameSimplePagePropertiesModel& TFrameSimplePageProperties::Page() const
{
    return static_cast<TFrameSimplePagePropertiesModel&>(*Model());
}

void TFrameSimplePageProperties::AddRows(QFormLayout& form)
{
    memKeywords_ = new QPlainTextEdit(this);
    memKeywords_->setObjectName("memKeywords");
    memKeywords_->setTabChangesFocus(true);
    cbParentKeywords_ = new QComboBox(this);
    cbParentKeywords_->setObjectName("cbParentKeywords");
    cbParentKeywords_->addItems({tr("Include parent's keywords"), tr("Do not include parent's keywords")});
    memDescription_ = new QPlainTextEdit(this);
    memDescription_->setObjectName("memDescription");
    memDescription_->setTabChangesFocus(true);
    auto* keywords = new QVBoxLayout;
    keywords->addWidget(memKeywords_);
    keywords->addWidget(cbParentKeywords_);
    auto* lblKeywords = new QLabel(tr("&Keywords:"), this);
    lblKeywords->setBuddy(memKeywords_);
    form.addRow(lblKeywords, keywords);
    auto* lblDescription = new QLabel(tr("&Description:"), this);
    lblDescription->setBuddy(memDescription_);
    form.addRow(lblDescription, memDescription_);
    connect(memKeywords_, &QPlainTextEdit::textChanged, this, [this] { Changed(); });
    connect(cbParentKeywords_, &QComboBox::currentIndexChanged, this, [this] { Changed(); });
    connect(memDescription_, &QPlainTextEdit::textChanged, this, [this] { Changed(); });
}

void TFrameSimplePageProperties::LoadRows()
{
    memKeywords_->setPlainText(QString::fromUtf8(Page().Keywords().c_str()));
    cbParentKeywords_->setCurrentIndex(Page().UseParentKeywords() == 1 ? 1 : 0);
    memDescription_->setPlainText(QString::fromUtf8(Page().Description().c_str()));
}

void TFrameSimplePageProperties::StoreRows()
{
    Page().SetKeywords(memKeywords_->toPlainText().toUtf8().toStdString(), cbParentKeywords_->currentIndex());
    Page().SetDescription(memDescription_->toPlainText().toUtf8().toStdString());
}

int TFrameSimplePageProperties::RenamedItemId() const { return GetContext()->GetTreeItemId(); }
