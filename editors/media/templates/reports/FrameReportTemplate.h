#pragma once
// The "Report Template" tab of report templates and reports: the name, the
// item id and the template's version. The values are TReportTemplateModel's;
// a changed name is told to the tree through the editor's parameters.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class TFrameSite;
class TReportTemplateModel;

class TFrameReportTemplate : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameReportTemplate(TFrameSite& site);
    ~TFrameReportTemplate() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

protected:
    void SetNameEditText(const std::string& name) override;

private:
    std::unique_ptr<TReportTemplateModel> model_;
    QLineEdit* edtReportTemplateName_ = nullptr;
    QLabel* lblItemId_ = nullptr;
    QLabel* lblVersion_ = nullptr;
};

// Registers the report editors ("TReportTemplateEditor", and "TReportCustomizationEditor" of
// FrameReportCustomization.h).
class TInternalPluginsManager;
void RegisterReportEditors(TInternalPluginsManager& registry);
