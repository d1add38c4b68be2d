#include "editors/media/definitions/FrameEditCodes.h"

#include "common/CommonGui.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/media/definitions/EditCodesForm.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameEditCodes::TFrameEditCodes(TFrameSite& site)
{
    setObjectName("TFrameEditCodes");
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameEditCodes::InitControls()
{
    pcCodes_ = new QTabWidget(this);
    pcCodes_->setObjectName("pcCodes");
    auto* categories = new QWidget(this);
    categories->setObjectName("tabEbay");
    auto* form = new QFormLayout(categories);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto edit = [&](const char* name, const QString& caption) {
        auto* line = new QLineEdit(categories);
        line->setObjectName(name);
        auto* label = new QLabel(caption, categories);
        label->setBuddy(line);
        form->addRow(label, line);
        return line;
    };
    edtCategoryId_ = edit("edtCategoryId", tr("Category &ID:"));
    edtCategoryLevel_ = edit("edtCategoryLevel", tr("Category &Level:"));
    edtCategoryParentId_ = edit("edtCategoryParentId", tr("Category &Parent ID:"));
    edtName_ = edit("edtName", tr("&Name:"));
    chkLeafCategory_ = new QCheckBox(tr("Lea&f Category"), categories);
    chkLeafCategory_->setObjectName("chkLeafCategory");
    form->addRow(QString(), chkLeafCategory_);
    pcCodes_->addTab(categories, tr("eBay && Zarivuro"));
    for (const auto& [name, caption] : {std::pair{"tabUnspsc", tr("UNSPSC")}, {"tabHarmonized", tr("Harmonized")}}) {
        auto* page = new QWidget(this);
        page->setObjectName(name);
        pcCodes_->addTab(page, caption);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pcCodes_);

    TTolvexControlClass& context = *GetContext();
    std::vector<std::string>* params = context.GetParams();
    const TEditCodesForm values = TEditCodesForm::FromParams(params ? *params : std::vector<std::string>{});
    if (values.EditsCategories()) {
        pcCodes_->setCurrentIndex(0);
        pcCodes_->setTabVisible(1, false);
        pcCodes_->setTabVisible(2, false);
        context.SetCaption(context.Translate(values.Caption()));
        edtCategoryId_->setText(Q(values.Id));
        edtCategoryLevel_->setText(Q(values.Level));
        edtCategoryParentId_->setText(Q(values.ParentId));
        edtName_->setText(Q(values.Name));
        chkLeafCategory_->setChecked(values.Leaf);
    }
    // The dialog's OK is enabled from the start.
    SetModified();
}

bool TFrameEditCodes::Save()
{
    TTolvexControlClass& context = *GetContext();
    std::vector<std::string>* params = context.GetParams();
    if (!params)
        return false;
    TEditCodesForm values = TEditCodesForm::FromParams(*params);
    if (!values.EditsCategories())
        return false;
    values.Id = S(edtCategoryId_->text());
    values.Level = S(edtCategoryLevel_->text());
    values.ParentId = S(edtCategoryParentId_->text());
    values.Name = S(edtName_->text());
    values.Leaf = chkLeafCategory_->isChecked();
    values.ToParams(*params);
    const std::string refusal = values.Check([&context](const std::string& text) { return context.Translate(text); });
    if (!refusal.empty()) {
        context.Services().Gui.ShowError(refusal, false);
        editor_params::SetValue(*params, "reedit", "yes");
        return false;
    }
    return TTolvexFrameEditor::Save();
}
