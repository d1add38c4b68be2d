#pragma once
// The insert-table dialog's frame: caption, rows, columns, padding,
// spacing, width with its unit, border, cell attributes and fixed-width
// columns. What it writes is TInsertTableAnswers.
#include "editors/site/html/dialogs/SiteDialogFrame.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

class TInsertTableFrame : public TSiteDialogFrame {
    Q_OBJECT
public:
    explicit TInsertTableFrame(QWidget* parent = nullptr);

    QString TabCaption() const override;
    void InitControls(const TDialogParams& params) override;
    void Save(TDialogParams& params) override;

    QLineEdit* CaptionEdit() const { return caption_; }
    QLineEdit* RowsEdit() const { return rows_; }
    QLineEdit* ColumnsEdit() const { return columns_; }
    QLineEdit* WidthEdit() const { return width_; }
    QComboBox* WidthUnit() const { return unit_; }
    QLineEdit* BorderEdit() const { return border_; }
    QLineEdit* AttributesEdit() const { return attributes_; }
    QCheckBox* FixedWidthColumns() const { return fixed_; }

private:
    QLineEdit* AddEdit(const QString& text);

    QLineEdit* caption_;
    QLineEdit* rows_;
    QLineEdit* columns_;
    QLineEdit* padding_;
    QLineEdit* spacing_;
    QLineEdit* width_;
    QComboBox* unit_;
    QLineEdit* border_;
    QLineEdit* attributes_;
    QCheckBox* fixed_;
};
