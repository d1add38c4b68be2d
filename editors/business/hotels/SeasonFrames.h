#pragma once
// The season grids of the hotel editors and the season dialog:
//  - TSeasonGrid, the grid of every season ("Season Name", "From Date",
//    "To Date") with "New", "Edit" and "Delete", over a TSeasonsModel;
//  - TFrameHotelSeasons, the "Seasons" tab: the grid alone;
//  - TFrameZOZPayments, the "Payments" tab: the hotel's payment forms, the
//    grid and the price notes (the association's catalogs: the payment
//    forms alone);
//  - TFrameZOZEditSeason, the dialog of one season: its name and dates.
#include "editors/business/FrameMemberForm.h"
#include "editors/framework/TolvexFrameViewer.h"

#include <QWidget>

#include <memory>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TSeasonsModel;

class TSeasonGrid : public QWidget {
public:
    TSeasonGrid(QWidget& parent, TTolvexFrameEditor& frame);
    ~TSeasonGrid() override;
    void Load();
    void Saved();

private:
    void Fill();
    void UpdateButtons();
    int SelectedSeason() const;
    void NewOrEdit(bool edit);
    void Delete();

    TTolvexFrameEditor& frame_;
    std::unique_ptr<TSeasonsModel> model_;
    QTableWidget* sgSeasons_ = nullptr;
    QPushButton* btnNew_ = nullptr;
    QPushButton* btnEdit_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
};

class TFrameHotelSeasons : public TFrameMemberForm {
public:
    explicit TFrameHotelSeasons(TFrameSite& site);
    void InitControls() override;
    void AfterSave() override;

protected:
    TFrameHotelSeasons(TFrameSite& site, const char* objectName, std::vector<TMemberField> fields);
    void AfterLoad() override;
    TSeasonGrid* Grid = nullptr;
};

class TFrameZOZPayments : public TFrameHotelSeasons {
public:
    explicit TFrameZOZPayments(TFrameSite& site);
    void InitControls() override;
};

class TFrameZOZEditSeason : public QWidget, public TTolvexFrameViewer {
public:
    explicit TFrameZOZEditSeason(TFrameSite& site);
    void InitControls() override;
    bool Save() override;

private:
    void Validate();

    QLineEdit* edtName_ = nullptr;
    QDateEdit* dtFrom_ = nullptr;
    QDateEdit* dtTo_ = nullptr;
    QLabel* lblProblem_ = nullptr;
};
