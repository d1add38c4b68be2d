#pragma once
// The hyperlink dialog's frame: the address with its protocol, the link's
// caption (which follows the address until the user types one), the title
// and "Open in new window". The rules are THyperlinkForm's.
#include "editors/site/html/dialogs/HyperlinkForm.h"
#include "editors/site/html/dialogs/SiteDialogFrame.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

class THyperlinkFrame : public TSiteDialogFrame {
    Q_OBJECT
public:
    explicit THyperlinkFrame(QWidget* parent = nullptr);

    QString TabCaption() const override;
    void InitControls(const TDialogParams& params) override;
    void Save(TDialogParams& params) override;

    QComboBox* ProtocolCombo() const { return protocol_; }
    QLineEdit* AddressEdit() const { return address_; }
    QLineEdit* CaptionEdit() const { return caption_; }
    QLineEdit* TitleEdit() const { return title_; }
    QCheckBox* NewWindow() const { return newWindow_; }

private:
    void OnAddressChanged();

    THyperlinkForm form_;
    QComboBox* protocol_;
    QLineEdit* address_;
    QLabel* captionLabel_;
    QLineEdit* caption_;
    QLineEdit* title_;
    QCheckBox* newWindow_;
    bool tracking_ = true;
};
