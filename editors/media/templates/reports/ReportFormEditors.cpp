#include "editors/media/templates/reports/ReportFormEditors.h"

#include "editors/framework/TolvexItemEditor.h"
#include "storage/NameValueLines.h"

std::string TReportFormEditors::RunForm(int formItemId, int formItemType, const std::vector<std::string>& params)
{
    const std::optional<TEditingServices> services = services_ ? services_() : std::nullopt;
    if (!services)
        return {};
    std::vector<std::string> lines = params;
    TTolvexItemEditor editor(*services, nullptr);
    editor.PrepareOpen(0, 0, "", "");
    if (!editor.OpenItemWithEditor(formItemId, formItemId, formItemType, kEditorName, "", &lines))
        return {};
    return ValueOfName(lines, "submitted");
}
