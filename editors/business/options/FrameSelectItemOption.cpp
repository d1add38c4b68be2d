#include "editors/business/options/FrameSelectItemOption.h"

#include "editors/business/options/OptionTableModels.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include <cstdlib>

TFrameSelectItemOption::TFrameSelectItemOption(TFrameSite& site)
{
    setObjectName("TFrameSelectItemOption");
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameSelectItemOption::InitControls()
{
    const std::vector<std::string>* params = GetContext()->GetParams();
    TSiteModelContext context = SiteModelContextOf(*this);
    context.ItemId = params ? std::atoi(ValueOfName(*params, "ProductItemId").c_str()) : 0;
    std::vector<int> optionIds;
    if (params && !ValueOfName(*params, "ProductOptions").empty()) {
        optionIds = TOptionCombinations::IdsOf(ValueOfName(*params, "ProductOptions"));
    } else if (TAbstractCObject* options =
                   context.ItemId ? context.Objects.GetObject(context.ItemId, "ProductOptions") : nullptr) {
        std::vector<std::string> ids;
        options->GetLangValues("Options", context.LangCode, nullptr, ids);
        for (const std::string& id : ids)
            optionIds.push_back(std::atoi(id.c_str()));
    }
    combinations_.Set(TOptionCombinations::Read(context, optionIds));

    sgOptions_ = new QTableView(this);
    sgOptions_->setObjectName("sgOptions");
    table_ = new TCombinationTableModel(sgOptions_, &combinations_, nullptr);
    sgOptions_->setModel(table_);
    sgOptions_->setSelectionMode(QAbstractItemView::SingleSelection);
    sgOptions_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgOptions_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgOptions_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    sgOptions_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgOptions_->verticalHeader()->setDefaultSectionSize(sgOptions_->fontMetrics().height() + 8);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sgOptions_);
    if (table_->rowCount() > 0)
        sgOptions_->setCurrentIndex(table_->index(0, 0));
    // Ok is offered at once.
    SetModified();
}

bool TFrameSelectItemOption::Save()
{
    const QModelIndex current = sgOptions_->currentIndex();
    std::vector<std::string>* params = GetContext()->GetParams();
    if (!current.isValid() || !params)
        return true;
    const auto row = static_cast<std::size_t>(current.row());
    std::string names;
    for (std::size_t option = 0; option < combinations_.Options().size(); ++option)
        names += (option ? "; " : "") + combinations_.ValueName(row, option);
    editor_params::SetValue(*params, "OptionItems", combinations_.Key(row));
    editor_params::SetValue(*params, "OptionNames", names);
    return true;
}
