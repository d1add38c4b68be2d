#pragma once
// "Create New Item": a list of item types ("Select Item Type") and, when
// asked for, a panel to create the item with one id or within a range of
// ids; each radio button enables only its own edits.
#include <QDialog>

#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QRadioButton;

class TfrmSelectType : public QDialog {
    Q_OBJECT
public:
    // Entries: caption and value pairs.
    TfrmSelectType(const std::vector<std::pair<std::string, std::string>>& entries, const std::string& selected,
                   bool showIdPanel, QWidget* parent = nullptr);

    QListWidget* TypeList() const { return list_; }
    QRadioButton* SingleIdOption() const { return single_; }
    QRadioButton* RangeOption() const { return range_; }
    QLineEdit* IdEdit() const { return id_; }
    QLineEdit* FromEdit() const { return from_; }
    QLineEdit* ToEdit() const { return to_; }

    // After "Ok": the chosen type's value and the two ids (0 for none or
    // text that is not a number).
    std::string SelectedValue() const;
    void Ids(int& first, int& last) const;

private:
    void EnableEdits();

    QListWidget* list_;
    QRadioButton* single_ = nullptr;
    QRadioButton* range_ = nullptr;
    QLineEdit* id_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
};
