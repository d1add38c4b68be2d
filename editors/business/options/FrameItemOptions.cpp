#include "editors/business/options/FrameItemOptions.h"

#include "editors/business/options/OptionLibraryModel.h"
#include "editors/business/options/OptionLibraryTree.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"

#include <QVBoxLayout>

TFrameItemOptions::TFrameItemOptions(TFrameSite& site)
{
    setObjectName("TFrameItemOptions");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameItemOptions::~TFrameItemOptions() = default;

void TFrameItemOptions::InitControls()
{
    SaveNoticeKind = kOptionsChanged;
    model_ = std::make_unique<TOptionLibraryModel>(SiteModelContextOf(*this));
    model_->UseWrites(TItemWrites::Through(*GetContext()));
    tree_ = new TOptionLibraryTree(this, *model_, false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_);
    tree_->Changed = [this] {
        SetModified();
        RequestSaveNotice();
    };
}

void TFrameItemOptions::LoadFromObjects(bool /*languageSwitch*/)
{
    const int selected = tree_->SelectedId();
    model_->SetLangCode(SiteModelContextOf(*this).LangCode);
    model_->Load();
    tree_->Fill(selected);
}

void TFrameItemOptions::AfterSave()
{
    model_->Forget();
}

void TFrameItemOptions::Cancel()
{
    model_->Forget();
    TTolvexFrameEditor::Cancel();
}
