#pragma once
// The season prices of a room and their dialog:
//  - TFrameZOZRoom: the room's name and the grid of its prices per season
//    ("Season Name", "Currency", then the prices: "Single", "Double",
//    "Extra Person", or in the hotel association's catalogs "Single",
//    "Twin", "Double", "Triple", "Quadro") with "New", "Edit", "Delete";
//  - TFrameZOZEditPrice: the dialog of one price.
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/framework/TolvexFrameViewer.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TFrameSite;
class TPriceDialogModel;
class TRoomPricesModel;

class TFrameZOZRoom : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameZOZRoom(TFrameSite& site);
    ~TFrameZOZRoom() override;
    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

protected:
    void SetNameEditText(const std::string& name) override;

private:
    bool Association() const;
    void Fill();
    int SelectedPrice() const;
    void UpdateButtons();
    void NewOrEdit(bool edit);

    std::unique_ptr<TRoomPricesModel> model_;
    QWidget* pnlName_ = nullptr;
    QLabel* lblName_ = nullptr;
    QLineEdit* edtName_ = nullptr;
    bool nameChanged_ = false;
    QTableWidget* sgPrices_ = nullptr;
    QPushButton* btnNew_ = nullptr;
    QPushButton* btnEdit_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
};

class TFrameZOZEditPrice : public QWidget, public TTolvexFrameViewer {
public:
    explicit TFrameZOZEditPrice(TFrameSite& site);
    ~TFrameZOZEditPrice() override;
    void InitControls() override;
    bool Save() override;

private:
    void Validate();

    std::unique_ptr<TPriceDialogModel> model_;
    QComboBox* cbSeason_ = nullptr;
    QComboBox* cbCurrency_ = nullptr;
    QLineEdit* edtSingle_ = nullptr;
    QLineEdit* edtDouble_ = nullptr;
    QLineEdit* edtTriple_ = nullptr;
    QLineEdit* edtQuadro_ = nullptr;
    QLineEdit* edtExtra_ = nullptr;
    QLabel* lblProblem_ = nullptr;
};
