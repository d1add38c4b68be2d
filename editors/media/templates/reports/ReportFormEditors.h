#pragma once
// The report forms of the program: the form item opened with the
// "CommonReportsCustomizationEditor" (its "Customize Report" tab) in an
// editor window of its own, the report's "created" and "customized" data
// in its parameters; what the user submitted comes back as "submitted".
#include "editors/framework/EditingServices.h"
#include "publishing/PublishReport.h"

#include <functional>
#include <optional>

class TReportFormEditors : public TReportForms {
public:
    // Services: the open catalog's editing services; none while no catalog is open.
    using TServices = std::function<std::optional<TEditingServices>()>;
    explicit TReportFormEditors(TServices services) : services_(std::move(services)) {}

    std::string RunForm(int formItemId, int formItemType, const std::vector<std::string>& params) override;

    static constexpr const char* kEditorName = "CommonReportsCustomizationEditor";

private:
    TServices services_;
};
