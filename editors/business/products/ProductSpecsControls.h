#pragma once
// The edits of a product's technical details, for the frames that show some of
// them (the "Specs" tab shows all, the simple "Product Info" tab the sizes,
// the weight and the keywords): one row per member in a form, the unit
// members as lists of the references' units (the unit's name shown, its id
// kept). In numeric-entry mode (catalog type 12) the measures take only
// digits and a decimal separator.
#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QWidget;
class TProductSpecsModel;

class TProductSpecsControls : public QObject {
public:
    // Members: the members to show, in order.
    TProductSpecsControls(QWidget& frame, std::vector<std::string> members, bool numericEntry);

    void AddRows(QFormLayout& form);
    void Load(const TProductSpecsModel& model);
    void Read(TProductSpecsModel& model) const;
    // Called when the user changes a value.
    std::function<void()> Changed;

private:
    struct TControl {
        std::string Member;
        QLineEdit* Line = nullptr;
        QComboBox* Units = nullptr;
    };
    static QString Caption(const std::string& member);

    QWidget& frame_;
    std::vector<TControl> controls_;
    bool loading_ = false;
};
