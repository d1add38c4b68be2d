#pragma once
// The dialog that picks one combination of a product's option values
// ("Select Option", dialog name "selectitemoption"): a read-only grid of
// every combination; Ok answers "OptionItems" (the combination's key) and
// "OptionNames" (its values' names joined by "; "). The product's options
// come from "ProductOptions" when the caller passes them (the caller's
// unsaved options), else from the product's objects.
#include "editors/business/options/OptionCombinations.h"
#include "editors/framework/TolvexFrameViewer.h"

#include <QWidget>

class QTableView;
class TCombinationTableModel;
class TFrameSite;

class TFrameSelectItemOption : public QWidget, public TTolvexFrameViewer {
public:
    explicit TFrameSelectItemOption(TFrameSite& site);

    void InitControls() override;
    bool Save() override;

    QTableView* Grid() const { return sgOptions_; }

private:
    TOptionCombinations combinations_;
    TCombinationTableModel* table_ = nullptr;
    QTableView* sgOptions_ = nullptr;
};
