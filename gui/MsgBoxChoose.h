#pragma once
// "Question": a choice between two options, the first selected; "Ok"
// answers 101 or 102 by the option chosen, "Cancel" and closing answer 2.
#include <QDialog>

class QRadioButton;

class TfrmMsgBoxChoose : public QDialog {
    Q_OBJECT
public:
    TfrmMsgBoxChoose(const QString& first, const QString& second, const QString& caption,
                     QWidget* parent = nullptr);
    QRadioButton* FirstOption() const { return first_; }
    QRadioButton* SecondOption() const { return second_; }
    void accept() override;
    void reject() override;

private:
    QRadioButton* first_;
    QRadioButton* second_;
};
