#include "editors/business/options/FrameOptionChooser.h"

#include "editors/business/options/OptionLibraryModel.h"
#include "editors/business/options/OptionLibraryTree.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"

#include <QVBoxLayout>

TFrameOptionChooser::TFrameOptionChooser(TFrameSite& site)
{
    setObjectName("TFrameOptionChooser");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameOptionChooser::~TFrameOptionChooser() = default;

void TFrameOptionChooser::InitControls()
{
    GetContext()->SetCaption(GetContext()->Translate("Select Option Name"));
    model_ = std::make_unique<TOptionLibraryModel>(SiteModelContextOf(*this));
    model_->UseWrites(TItemWrites::Through(*GetContext()));
    model_->Load();
    tree_ = new TOptionLibraryTree(this, *model_, true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_);
    tree_->Fill(0);
    tree_->Changed = [this] { SetModified(); };
    // Ok is offered at once.
    SetModified();
}

bool TFrameOptionChooser::Save()
{
    const int selected = tree_->SelectedId();
    if (selected == 0)
        return true;
    const int owner = model_->OptionOf(selected);
    if (std::vector<std::string>* params = GetContext()->GetParams())
        editor_params::SetValue(*params, "OptionItemId", std::to_string(owner ? owner : selected));
    return true;
}
