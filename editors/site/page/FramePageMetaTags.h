#pragma once
// The "Meta Tags" tab of a web page in the advanced mode: what the templates
// put into the page's head, on one tab per group ("Basic", "Document",
// "Languages", "Search Engine", "Effects", "Other"), each group either the
// page's own or, with "Use parent's properties", left to the parent page.
// The values and the rules between them are TFramePageMetaTagsModel's; the
// frame shows each value in the control that suits it (an edit, a list of
// the reference values, a check box, the expiry date picker).
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QFormLayout;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class TFramePageMetaTagsModel;
class TFrameSite;

class TFramePageMetaTags : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFramePageMetaTags(TFrameSite& site);
    ~TFramePageMetaTags() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

private:
    enum TKind { ckEdit, ckMemo, ckChoice, ckEditableChoice, ckCheck };
    struct TValueControl {
        int Group;
        std::string Member;
        TKind Kind;
        QWidget* Control;
    };
    static TKind KindOf(const std::string& member);
    void AddGroupPage(QTabWidget& tabs, int group);
    QWidget* MakeControl(QWidget& page, int group, const std::string& member, TKind kind);
    void FillChoices(QComboBox& combo, const std::string& member);
    void ValueChanged(int group, const std::string& member, const std::string& text);
    std::string TextOf(const TValueControl& value) const;
    void ShowValue(const TValueControl& value);
    void ShowValues();
    // The expiry rows of the "Other" group: none, an absolute date or an RFC 850 text.
    void AddExpiryRows(QWidget& page, QFormLayout& form);
    void ShowExpiry();
    void ExpiryChosen();

    std::unique_ptr<TFramePageMetaTagsModel> model_;
    QTabWidget* tabs_ = nullptr;
    std::vector<TValueControl> values_;
    std::vector<QCheckBox*> parentBoxes_;
    QCheckBox* chkExpires_ = nullptr;
    QRadioButton* rbAbsolute_ = nullptr;
    QRadioButton* rbRfc850_ = nullptr;
    QDateTimeEdit* dtExpires_ = nullptr;
    QLineEdit* edtExpires_ = nullptr;
};
