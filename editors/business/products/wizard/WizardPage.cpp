#include "editors/business/products/wizard/WizardPage.h"

#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexFrameEditor.h"

#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

namespace wizard_page {

std::vector<std::string>* Params(TTolvexFrameEditor& frame)
{
    return frame.GetContext() ? frame.GetContext()->GetParams() : nullptr;
}

std::string Value(TTolvexFrameEditor& frame, const std::string& key)
{
    const std::vector<std::string>* params = Params(frame);
    return params ? ValueOfName(*params, key) : std::string();
}

void SetValue(TTolvexFrameEditor& frame, const std::string& key, const std::string& value)
{
    if (std::vector<std::string>* params = Params(frame))
        editor_params::SetValue(*params, key, value);
}

QVBoxLayout* PageLayout(QWidget& page, const QString& header)
{
    auto* layout = new QVBoxLayout(&page);
    if (!header.isEmpty()) {
        auto* label = new QLabel(header, &page);
        label->setObjectName("lblWizardHeader");
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->setWordWrap(true);
        layout->addWidget(label);
        layout->addSpacing(6);
    }
    return layout;
}

}  // namespace wizard_page
