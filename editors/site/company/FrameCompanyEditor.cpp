#include "editors/site/company/FrameCompanyEditor.h"

#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/media/images/FrameImageContainer.h"
#include "editors/site/company/FrameCompanyEditorModel.h"
#include "storage/NameValueLines.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

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
    auto row = [&](const QString& caption, QWidget*& preview, QPushButton*& select, const QString& selectText,
                   QPushButton*& remove, const QString& removeText, const char* name, bool logo) {
        preview = new QWidget(this);
        preview->setObjectName(QString("pnl%1").arg(name));
        preview->setMinimumSize(220, logo ? 150 : 56);
        auto* panel = new QVBoxLayout(preview);
        panel->setContentsMargins(0, 0, 0, 0);
        // Said while there is no picture to show.
        auto* none = new QLabel(tr("(none)"), preview);
        none->setObjectName("lblNone");
        panel->addWidget(none, 0, Qt::AlignLeft | Qt::AlignTop);
        select = new QPushButton(selectText, this);
        select->setObjectName(QString("btnSelect%1").arg(name));
        remove = new QPushButton(removeText, this);
        remove->setObjectName(QString("btnDelete%1").arg(name));
        connect(select, &QPushButton::clicked, this, [this, logo] { SelectImage(logo); });
        connect(remove, &QPushButton::clicked, this, [this, logo] { DeleteImage(logo); });
        auto* line = new QHBoxLayout;
        // The buttons beside the caption, at the top of the picture.
        line->addWidget(preview, 1);
        line->addWidget(select, 0, Qt::AlignTop);
        line->addWidget(remove, 0, Qt::AlignTop);
        auto* label = new QLabel(caption, this);
        label->setBuddy(select);
        form.addRow(label, line);
    };
    row(tr("Logo:"), pnlLogo_, btnSelectLogo_, tr("Select &Logo..."), btnDeleteLogo_, tr("Delete Lo&go"), "Logo", true);
    row(tr("Icon:"), pnlIcon_, btnSelectIcon_, tr("Select &Icon..."), btnDeleteIcon_, tr("Delete Ico&n"), "Icon", false);
    // A member catalog's record is only shown: no picture may be chosen for it.
    btnSelectLogo_->setEnabled(!Model()->IsReadOnly());
    btnSelectIcon_->setEnabled(!Model()->IsReadOnly());
}

void TFrameCompanyEditor::ShowImage(bool logo, int imageId)
{
    QWidget* panel = logo ? pnlLogo_ : pnlIcon_;
    TFrameImageContainer*& preview = logo ? logoPreview_ : iconPreview_;
    // The previous preview always goes first.
    delete preview;
    preview = nullptr;
    auto* none = panel->findChild<QLabel*>("lblNone", Qt::FindDirectChildrenOnly);
    if (none)
        none->show();
    if (imageId == 0)
        return;
    preview = new TFrameImageContainer(panel);
    preview->setObjectName(logo ? "prvLogo" : "prvIcon");
    // The logo with its facts at the top; the icon alone, centred.
    preview->Setup(logo ? TFrameImageContainer::TInfo::Top : TFrameImageContainer::TInfo::Hidden,
                   TImagePreviewModel::ServicesOf(*GetContext()), true, !logo);
    panel->layout()->addWidget(preview);
    if (preview->LoadImageItem(imageId, Model()->RecordCatalogCode()) && none)
        none->hide();
}

void TFrameCompanyEditor::LoadExtra()
{
    ShowImage(true, Company().LogoImageId());
    ShowImage(false, Company().IconImageId());
    btnDeleteLogo_->setEnabled(Company().CanDeleteLogo() && logoPreview_);
    btnDeleteIcon_->setEnabled(Company().CanDeleteIcon() && iconPreview_);
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
