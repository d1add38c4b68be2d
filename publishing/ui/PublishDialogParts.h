#pragma once
// Parts the publishing dialogs share: a combo box filled with
// "caption===value" lines, and the "Publish Page" field, a read-only text
// showing "(All Pages)" or the chosen page with a "..." button that asks the
// program for a page.
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;
class TTranslation;

namespace PublishDialogParts {

// Adds every "caption===value" line to the combo box and selects the entry of
// Value (the first entry when none has it).
void FillChoices(QComboBox* combo, const std::vector<std::string>& lines, const std::string& value);
std::string ChosenValue(const QComboBox* combo);
QString Tr(const TTranslation* translation, const char* text);

}  // namespace PublishDialogParts

class TPublishPageField : public QWidget {
    Q_OBJECT
public:
    // Asks for a page: its id and name; false when nothing was chosen.
    using TChooser = std::function<bool(int& pageId, std::string& pageName)>;

    TPublishPageField(TChooser chooser, const TTranslation* translation, QWidget* parent = nullptr);

    // 0: every page.
    int PageId() const { return pageId_; }
    QLineEdit* NameField() const { return name_; }
    QPushButton* ChooseButton() const { return choose_; }

private:
    void Choose();

    TChooser chooser_;
    int pageId_ = 0;
    QLineEdit* name_ = nullptr;
    QPushButton* choose_ = nullptr;
};
