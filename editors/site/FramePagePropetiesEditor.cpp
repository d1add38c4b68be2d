#include "editors/site/page/FramePagePropetiesEditor.h"

#include "catalog/Tolvex.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/page/FramePagePropetiesEditorModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

namespace {

using TKind = TFramePagePropetiesEditorModel::TTemplateKind;
constexpr std::array<TKind, 3> kKinds = {TFramePagePropetiesEditorModel::tkMaster, TFramePagePropetiesEditorModel::tkBody,
                                         TFramePagePropetiesEditorModel::tkScript};

}  // namespace

TFramePagePropetiesEditor::TFramePagePropetiesEditor(TFrameSite& site)
    : TPagePropertiesFrameBase(site, "TFramePagePropetiesEditor", tr("&Name - how it will appear on web browser:"))
{
}

std::unique_ptr<TPagePropertiesModel> TFramePagePropetiesEditor::CreateModel(const TSiteModelContext& context)
{
    return std::make_unique<TFramePagePropetiesEditorModel>(context, RootObject && RootObject->IsAdvancedMode());
}

TFramePagePropetiesEditorModel& TFramePagePropetiesEditor::Page() const
{
    return static_cast<TFramePagePropetiesEditorModel&>(*Model());
}

void TFramePagePropetiesEditor::AddRows(QFormLayout& form)
{
    const char* captions[] = {"&Master Template:", "&Body Template:", "Server-Side &Script Template:"};
    const char* names[] = {"cbMasterTemplate", "cbBodyTemplate", "cbScriptTemplate"};
    for (std::size_t i = 0; i < kKinds.size(); ++i) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(names[i]);
        for (const auto& choice : Page().TemplateChoices(kKinds[i]))
            combo->addItem(QString::fromUtf8(choice.Caption.c_str()), choice.TemplateId);
        cbTemplates_[i] = combo;
        if (combo->count() == 0) {
            combo->hide();
            continue;
        }
        auto* label = new QLabel(tr(captions[i]), this);
        label->setBuddy(combo);
        form.addRow(label, combo);
        connect(combo, &QComboBox::activated, this, [this, i, combo] {
            Page().SelectTemplate(kKinds[i], combo->currentData().toInt());
            Changed();
        });
    }
    chkDontPublishItem_ = new QCheckBox(tr("Don't &publish the page"), this);
    chkDontPublishItem_->setObjectName("chkDontPublishItem");
    chkDontPublishChildren_ = new QCheckBox(tr("Don't publish &children pages of the page"), this);
    chkDontPublishChildren_->setObjectName("chkDontPublishChildren");
    if (Page().ShowsPublishingBoxes()) {
        form.addRow(QString(), chkDontPublishItem_);
        form.addRow(QString(), chkDontPublishChildren_);
    } else {
        chkDontPublishItem_->hide();
        chkDontPublishChildren_->hide();
    }
    for (QCheckBox* box : {chkDontPublishItem_, chkDontPublishChildren_})
        connect(box, &QCheckBox::toggled, this, [this] {
            if (!TrackChanges)
                return;
            Page().SetDontPublish(chkDontPublishItem_->isChecked(), chkDontPublishChildren_->isChecked());
            Changed();
        });
}

void TFramePagePropetiesEditor::LoadRows()
{
    for (std::size_t i = 0; i < kKinds.size(); ++i)
        cbTemplates_[i]->setCurrentIndex(cbTemplates_[i]->findData(Page().SelectedTemplate(kKinds[i])));
    chkDontPublishItem_->setChecked(Page().DontPublishItem());
    chkDontPublishChildren_->setChecked(Page().DontPublishChildren());
}

void TFramePagePropetiesEditor::StoreRows() {}

int TFramePagePropetiesEditor::RenamedItemId() const { return GetContext()->GetItemId(); }
