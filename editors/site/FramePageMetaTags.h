#pragma once
// The "Meta Tags" tab of a web page: the meta values in groups, each group
// either the page's own or, with "Use parent's properties", left to the
// parent page. Every value shows as a line of text over
// TFramePageMetaTagsModel, which applies the rules between the values.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QFormLayout;
class QLineEdit;
class QRadioButton;
class QWidget;
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
    struct TValueEdit {
        int Group;
        std::string Member;
        QLineEdit* Edit;       // null for the keyword choice
        QComboBox* Choice;     // "UseParentKeywords": 0 include the parent's keywords, 1 do not
    };
    void ShowValues();
    // The expiry rows of the "Other" group: none, an absolute date or an RFC 850 text.
    void AddExpiryRows(QWidget& box, QFormLayout& form);
    void ShowExpiry();
    void ExpiryChosen();

    std::unique_ptr<TFramePageMetaTagsModel> model_;
    std::vector<TValueEdit> edits_;
    std::vector<QCheckBox*> parentBoxes_;
    QCheckBox* chkExpires_ = nullptr;
    QRadioButton* rbAbsolute_ = nullptr;
    QRadioButton* rbRfc850_ = nullptr;
    QDateTimeEdit* dtExpires_ = nullptr;
    QLineEdit* edtExpires_ = nullptr;
};
