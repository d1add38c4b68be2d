#pragma once
// "Properties": the attributes of one element of the visual HTML editor,
// in a list the user edits a value of at a time. The list is a
// TElementProperties; "Ok" leaves its changes for the caller to write.
#include "editors/site/html/ElementProperties.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QTreeWidget;

class TfrmProperties : public QDialog {
    Q_OBJECT
public:
    // Specified: the element's attributes as read; ShowAll: the check box.
    TfrmProperties(const std::string& tag, std::vector<std::pair<std::string, std::string>> specified,
                   bool showAll, QWidget* parent = nullptr);

    const TElementProperties& Properties() const { return properties_; }
    bool ShowAll() const;
    // The user changed "Show all possible attributes".
    bool ShowAllChanged() const { return showAllChanged_; }

    QTreeWidget* List() const { return list_; }
    QLineEdit* ValueEdit() const { return value_; }
    QCheckBox* ShowAllBox() const { return showAll_; }

private:
    void FillList();

    TElementProperties properties_;
    std::string tag_;
    std::vector<std::pair<std::string, std::string>> specified_;
    bool showAllChanged_ = false;
    QLineEdit* element_;
    QTreeWidget* list_;
    QLineEdit* value_;
    QCheckBox* showAll_;
};
