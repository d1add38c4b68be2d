#pragma once
// The binary-object dialog's "Object From Disk" tab: a file of any kind
// chosen with "...", its caption (kept per language), its alternative file
// name, and for a movie or an applet the size it is embedded with. OK
// stores it (TBinaryObjectStore) through the dialog's write channel, so
// that the editor that opened the dialog keeps it with its Save or takes
// it away with its Cancel, and writes its id and facts into the dialog's
// parameters.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <map>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TFrameSite;

class TFrameObjectDisk : public QWidget, public TTolvexFrameEditor {
    Q_OBJECT
public:
    explicit TFrameObjectDisk(TFrameSite& site);

    void InitControls() override;
    void TabShown() override;
    void StoreToObjects(bool languageSwitch) override;
    void LoadFromObjects(bool languageSwitch) override;
    bool Save() override;

private:
    void Choose();
    void FileChosen(const std::string& fileName);
    void UpdateControls();
    bool FileExists() const;

    std::map<std::string, std::string> names_;  // language -> caption
    std::string nameLang_;
    QLineEdit* edtFileName_;
    QPushButton* btnChoose_;
    QLineEdit* edtCaption_;
    QLineEdit* edtAltFileName_;
    QWidget* pnlObject_;
    QCheckBox* cbInsertAsObject_;
    QSpinBox* sbWidth_;
    QSpinBox* sbHeight_;
};
