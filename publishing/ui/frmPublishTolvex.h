#pragma once
// "Connect": the question before the program contacts the hosting service,
// with "Continue", "Cancel", "Advanced Options" (which also continues, and
// records that the advanced options were asked for; it can be hidden) and
// "Help".
#include <QDialog>

#include <string>

class QLabel;
class QPushButton;
class THelpRequests;
class TTranslation;

class TfrmPublishTolvex : public QDialog {
    Q_OBJECT
public:
    // Help may be null.
    TfrmPublishTolvex(const TTranslation* translation, THelpRequests* help, QWidget* parent = nullptr);

    // Replaces the framed text (already translated).
    void SetText(const std::string& text);
    void HideAdvancedOptions();
    // Whether the dialog was left with "Advanced Options".
    bool AdvancedRequested() const { return advanced_; }

    QLabel* TextLabel() const { return text_; }
    QPushButton* ContinueButton() const { return continue_; }
    QPushButton* AdvancedButton() const { return advancedButton_; }

private:
    QLabel* text_ = nullptr;
    QPushButton* continue_ = nullptr;
    QPushButton* advancedButton_ = nullptr;
    bool advanced_ = false;
};
