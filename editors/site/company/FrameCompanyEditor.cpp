#include "editors/site/company/FrameCompanyEditor.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogQueries.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/company/FrameCompanyEditorModel.h"
#include "storage/NameValueLines.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

TFrameCompanyEditor::TFrameCompanyEditor(TFrameSite& site)
    : TCompanyFrameBase(site, "TFrameCompanyEditor",
                        {{"CompanyName", "Company Name"}, {"CompanyDescription", "Company Description", fkMemo}})
{
}

std::unique_ptr<TCompanyInfoModel> TFrameCompanyEditor::CreateModel(const TSiteModelContext& context)
{
    return std::make_unique<TFrameCompanyEditorModel>(context, FrameItemId(), GetUIEditor()->GetName());
}

TFrameCompanyEditorModel& TFrameCompanyEditor::Company() const
{
    return static_cast<TFrameCompanyEditorModel&>(*Model());
}

void TFrameCompanyEditor::AddExtraRows(QFormLayout& form)
{
    auto row = [&](const QString& caption, QLabel*& preview, QPushButton*& select, const QString& selectText,
                   QPushButton*& remove, const QString& removeText, const char* name, bool logo) {
        preview = new QLabel(this);
        preview->setObjectName(QString("lbl%1").arg(name));
        preview->setMinimumWidth(160);
        select = new QPushButton(selectText, this);
        select->setObjectName(QString("btnSelect%1").arg(name));
        remove = new QPushButton(removeText, this);
        remove->setObjectName(QString("btnDelete%1").arg(name));
        connect(select, &QPushButton::clicked, this, [this, logo] { SelectImage(logo); });
        connect(remove, &QPushButton::clicked, this, [this, logo] { DeleteImage(logo); });
        auto* line = new QHBoxLayout;
        line->addWidget(preview, 1);
        line->addWidget(select);
        line->addWidget(remove);
        auto* label = new QLabel(caption, this);
        label->setBuddy(select);
        form.addRow(label, line);
    };
    row(tr("Logo:"), lblLogo_, btnSelectLogo_, tr("Select &Logo..."), btnDeleteLogo_, tr("Delete Lo&go"), "Logo", true);
    row(tr("Icon:"), lblIcon_, btnSelectIcon_, tr("Select &Icon..."), btnDeleteIcon_, tr("Delete Ico&n"), "Icon", false);
    // A member catalog's record is only shown: no picture may be chosen for it.
    btnSelectLogo_->setEnabled(!Model()->IsReadOnly());
    btnSelectIcon_->setEnabled(!Model()->IsReadOnly());
}

void TFrameCompanyEditor::LoadExtra()
{
    auto show = [this](QLabel* label, int imageId) {
        if (imageId == 0) {
            label->setText(tr("(none)"));
            return;
        }
        TCatalogData& data = *GetContext()->Data();
        TAbstractDBConnection& connection = GetContext()->GetConnection();
        // A member catalog's picture is one of its own items, kept under its code.
        const std::string& code = Company().RecordCatalogCode();
        const std::string name =
            code.empty() ? data.GetItemName(imageId, connection, ContentLangCode())
                         : data.GetQueries().ReadStringMemberOfCatalog(imageId, 1, 1, ContentLangCode(), connection, code);
        label->setText(name.empty() ? tr("Picture %1").arg(imageId) : QString::fromUtf8(name.c_str()));
    };
    show(lblLogo_, Company().LogoImageId());
    show(lblIcon_, Company().IconImageId());
    btnDeleteLogo_->setEnabled(Company().CanDeleteLogo());
    btnDeleteIcon_->setEnabled(Company().CanDeleteIcon());
}

void TFrameCompanyEditor::SelectImage(bool logo)
{
    std::vector<std::string> params;
    if (!GetContext()->RunDialog(logo ? "logoimage" : "iconimage", params))
        return;
    const int imageId = std::atoi(ValueOfName(params, "ImageItemId").c_str());
    if (imageId == 0)
        return;
    if (logo)
        Company().SelectLogo(imageId);
    else
        Company().SelectIcon(imageId);
    LoadExtra();
    Changed();
}

void TFrameCompanyEditor::DeleteImage(bool logo)
{
    if (logo)
        Company().DeleteLogo();
    else
        Company().DeleteIcon();
    LoadExtra();
    Changed();
}
