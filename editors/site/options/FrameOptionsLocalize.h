#pragma once
// The "Locale" tab of the catalog options: the catalog's data languages
// with the default one, the default currency and the default weight and
// dimension units. The rules are TFrameOptionsLocalizeModel's; a save that
// wrote the languages makes the catalog read them again.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QPushButton;
class QTreeWidget;
class TFrameOptionsLocalizeModel;
class TFrameSite;

class TFrameOptionsLocalize : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameOptionsLocalize(TFrameSite& site);
    ~TFrameOptionsLocalize() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    bool Save() override;
    void AfterSave() override;

private:
    void FillList(const std::string& selectCode);
    int SelectedRow() const;
    void UpdateButtons();
    void AddLanguage();
    void RemoveLanguage();
    void SetDefaultLanguage();
    void UnitChanged();

    std::unique_ptr<TFrameOptionsLocalizeModel> model_;
    // The languages were written since the last save: the save reloads them.
    bool languagesStored_ = false;
    QTreeWidget* lvLanguages_ = nullptr;
    QComboBox* cbLanguage_ = nullptr;
    QPushButton* btnAdd_ = nullptr;
    QPushButton* btnRemove_ = nullptr;
    QPushButton* btnSetDefault_ = nullptr;
    QComboBox* cbCurrency_ = nullptr;
    QComboBox* cbDimensionUnit_ = nullptr;
    QComboBox* cbWeightUnit_ = nullptr;
};
