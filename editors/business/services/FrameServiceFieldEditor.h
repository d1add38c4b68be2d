#pragma once
// TFrameServiceFieldEditor: the dialog of one data field of a service that
// a buyer fills in: name, tag, type and description, exchanged with the
// field list through its parameter list; an empty name or tag is refused and
// the dialog shown again with what was typed ("reedit").
#include "editors/framework/TolvexFrameViewer.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class TFrameSite;

class TFrameServiceFieldEditor : public QWidget, public TTolvexFrameViewer {
public:
    explicit TFrameServiceFieldEditor(TFrameSite& site);
    void InitControls() override;
    bool Save() override;

    // The field types offered: "caption===value" entries.
    static const std::vector<std::string>& FieldTypes();

private:
    QLineEdit* edtFieldName_ = nullptr;
    QLineEdit* edtFieldTag_ = nullptr;
    QComboBox* cbFieldType_ = nullptr;
    QPlainTextEdit* edtDescription_ = nullptr;
};
