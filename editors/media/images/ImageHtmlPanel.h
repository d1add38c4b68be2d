#pragma once
// The image dialog's "HTML Attributes" panel over the values it edits
// (TImageHtmlAttributes): caption, alternate text, alignment, border
// thickness and colour, horizontal and vertical spacing. Each tab of the
// dialog that inserts a picture into a page shows one.
#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TImageHtmlAttributes;

class TImageHtmlPanel : public QGroupBox {
    Q_OBJECT
public:
    // Values must outlive the panel.
    TImageHtmlPanel(TImageHtmlAttributes& values, QWidget* parent);

    // Shows the values (the catalog's defaults once they were read); showing them edits nothing.
    void ShowValues();
    // The alternate text the picture's name proposes, until the user types one.
    void ProposeAlt(const QString& text);

private:
    void ChooseColor();

    TImageHtmlAttributes& values_;
    bool altTyped_ = false;
    QLineEdit* edtDescription_;
    QLineEdit* edtAlt_;
    QComboBox* cbAlignment_;
    QSpinBox* edtBorder_;
    QPushButton* btnColor_;
    QLineEdit* edtColor_;
    QSpinBox* edtHorizontal_;
    QSpinBox* edtVertical_;
};
