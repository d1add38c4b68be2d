#pragma once
// The "Web Page Properties" tab: name, file name, visibility, the page's
// master, body and server-side script templates and, in the advanced mode,
// whether the page or its children are left out of publishing.
#include "editors/site/page/PagePropertiesFrameBase.h"

#include <array>

class QCheckBox;
class QComboBox;
class TFramePagePropetiesEditorModel;

class TFramePagePropetiesEditor : public TPagePropertiesFrameBase {
public:
    explicit TFramePagePropetiesEditor(TFrameSite& site);

protected:
    std::unique_ptr<TPagePropertiesModel> CreateModel(const TSiteModelContext& context) override;
    void AddRows(QFormLayout& form) override;
    void LoadRows() override;
    void StoreRows() override;
    int RenamedItemId() const override;

private:
    TFramePagePropetiesEditorModel& Page() const;

    std::array<QComboBox*, 3> cbTemplates_{};
    QCheckBox* chkDontPublishItem_ = nullptr;
    QCheckBox* chkDontPublishChildren_ = nullptr;
};
