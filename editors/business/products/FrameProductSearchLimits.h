#pragma once
// The "Search Parameters" tab of a product: how large its thumbnail and how
// long its name may be on the search results page.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QLineEdit;
class TFrameSite;
class TProductSearchLimitsModel;

class TFrameProductSearchLimits : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameProductSearchLimits(TFrameSite& site);
    ~TFrameProductSearchLimits() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

private:
    std::unique_ptr<TProductSearchLimitsModel> model_;
    QLineEdit* edtThumbnailSize_ = nullptr;
    QLineEdit* edtProductNameLength_ = nullptr;
};
