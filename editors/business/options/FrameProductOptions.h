#pragma once
// A product's "Options" tab: "The product has options", the product's
// options ("New" picks one from the library, "Delete" removes one) and the
// grid of every combination of their values with its stock keeping unit.
// The decisions are TProductOptionsModel's; changing the option set asks
// first when stock codes or prices would go. A save of the option library
// (data-changed kind 1003) shows its current values.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QListWidget;
class QPushButton;
class QTableView;
class TCombinationTableModel;
class TFrameSite;
class TProductOptionsModel;

class TFrameProductOptions : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameProductOptions(TFrameSite& site);
    ~TFrameProductOptions() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

    TProductOptionsModel& Model() { return *model_; }
    QTableView* Grid() const { return sgCombinations_; }
    // The option with this id added, as "New" does after the library's dialog; false when refused.
    bool AddOption(int optionId);
    bool DeleteOption(int optionId);

private:
    void NewOption();
    void HasOptionsClicked(bool checked);
    void Show();
    void UpdateButtons();
    bool Confirmed(const std::string& question) const;

    std::unique_ptr<TProductOptionsModel> model_;
    TCombinationTableModel* table_ = nullptr;
    QCheckBox* chkHasOptions_ = nullptr;
    QWidget* pnlOptions_ = nullptr;
    QListWidget* lvOptions_ = nullptr;
    QPushButton* btnNew_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
    QTableView* sgCombinations_ = nullptr;
    bool loaded_ = false;
};
