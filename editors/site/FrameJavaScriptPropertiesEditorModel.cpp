#include "editors/site/page/FrameJavaScriptPropertiesEditorModel.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Singletons.h"
#include "common/Translation.h"
#include "generation/Templates.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

namespace {

constexpr const char* kAllLanguages = "XXX";

}  // namespace

void TFrameJavaScriptPropertiesEditorModel::Load()
{
    name_.clear();
    fileName_.clear();
    version_.clear();
    nameEdited_ = modified_ = false;
    TAbstractCObject* names = context_.Objects.GetObject(context_.ItemId, "CommonNames");
    TAbstractCObject* version = context_.Objects.GetObject(context_.ItemId, "Version");
    if (!names || !version)
        return;
    name_ = names->GetLangString("ItemName", kAllLanguages, 0);
    fileName_ = names->GetLangString("AltFileName", kAllLanguages, 0);
    version_ = version->GetString("Version", 0);
    if (version_.empty())
        version_ = TTranslation::OrEnglish(Translation).Translate("Unknown");
}

void TFrameJavaScriptPropertiesEditorModel::SetScriptName(const std::string& name)
{
    name_ = name;
    nameEdited_ = modified_ = true;
}

void TFrameJavaScriptPropertiesEditorModel::SetFileName(const std::string& fileName)
{
    fileName_ = fileName;
    modified_ = true;
}

void TFrameJavaScriptPropertiesEditorModel::NameChanged(int itemId, const std::string& name)
{
    if (itemId == context_.ItemId)
        name_ = name;
}

void TFrameJavaScriptPropertiesEditorModel::Store(std::string* nameChanged)
{
    if (nameChanged)
        nameChanged->clear();
    TAbstractCObject* names = context_.Objects.GetObject(context_.ItemId, "CommonNames");
    if (!modified_ || !names || context_.LangCode.empty())
        return;
    names->SetLangString("ItemName", kAllLanguages, name_, 0);
    names->SetLangString("AltFileName", kAllLanguages, fileName_, 0);
    if (nameEdited_ && nameChanged)
        *nameChanged = name_;
    nameEdited_ = modified_ = false;
    context_.Data.GetPageGeneration().GetTemplates().ResetTemplateList();
}
