#include "publishing/ui/QtReportForms.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "common/ParamList.h"
#include "common/Translation.h"
#include "generation/Transformer.h"
#include "publishing/ui/frmReportForm.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/ObjectCollection.h"

std::string TQtReportForms::FormPage(int formItemId, int formItemType, const std::vector<std::string>& params)
{
    TCatalogData* data = root_.GetCatalogData();
    if (!data)
        return {};
    TAbstractDBConnection& connection = data->GetConnectionFactory().GetConnection();
    TObjectCollection collection(root_.ObjectContext());
    collection.Open(data->GetCatalogCode(), connection);
    TTransformer transformer(data->GetPageGeneration(), data->GetCatalogCode(), nullptr);
    for (const std::string& line : params) {
        const std::string name = TParamList::NameOf(line);
        if (name == "created" || name == "customized")
            transformer.SetParameter(name == "created" ? "Created" : "Customized", TParamList::ValueOf(line));
    }
    std::string error;
    try {
        if (transformer.GeneratePage(formItemId, formItemId, formItemType, data->GetCurrentLangCode(), collection,
                                     connection, "") &&
            !transformer.TransformFailed())
            return transformer.GetResultHtml();
        error = transformer.GetErrorText();
    } catch (const ETolvexException& e) {
        error = e.what();
    }
    if (error.empty())
        error = TTranslation::OrEnglish(::Translation).Translate("The page could not be generated.");
    return "<html><body><pre style=\"white-space: pre-wrap\">" + TCommonFunctions::EncodeXmlText(error) +
           "</pre></body></html>";
}

std::string TQtReportForms::RunForm(int formItemId, int formItemType, const std::vector<std::string>& params)
{
    const QString caption = formItemType == TPublishReport::kCreationFormType ? QObject::tr("New Report")
                                                                              : QObject::tr("Customize Report");
    TfrmReportForm dialog(FormPage(formItemId, formItemType, params), caption, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.Submitted();
}
