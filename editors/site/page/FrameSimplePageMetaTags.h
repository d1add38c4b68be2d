#pragma once
// The simple "Meta Tags" tab of a web page: keywords (with whether the
// parent's are included), description and refresh, either the page's own or,
// with "Use parent's properties", left to the parent page. The values are
// TFrameSimplePageMetaTagsModel's.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class TFrameSimplePageMetaTagsModel;
class TFrameSite;

class TFrameSimplePageMetaTags : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameSimplePageMetaTags(TFrameSite& site);
    ~TFrameSimplePageMetaTags() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

private:
    void ValuesEdited();
    void EnableValues();

    std::unique_ptr<TFrameSimplePageMetaTagsModel> model_;
    QCheckBox* chkUseParent_ = nullptr;
    QPlainTextEdit* memKeywords_ = nullptr;
    QComboBox* cbParentKeywords_ = nullptr;
    QPlainTextEdit* memDescription_ = nullptr;
    QLineEdit* edtRefresh_ = nullptr;
    QLineEdit* edtRefreshUrl_ = nullptr;
};
