#include "storage/TolvexObjectContext.h"

#include "storage/AbstractCatalog.h"
#include "storage/CatalogTables.h"
#include "storage/MemberValueText.h"

TTolvexObjectContext::TTolvexObjectContext(TClassDefinitionLookup classDefinition, TClassIdLookup classId)
    : classDefinition_(std::move(classDefinition)), classId_(std::move(classId))
{
}

TAbstractCClassDefinition* TTolvexObjectContext::GetClassDefinition(int classId) const
{
    return classDefinition_ ? classDefinition_(classId) : nullptr;
}

int TTolvexObjectContext::GetClassId(const std::string& classXmlTag) const
{
    return classId_ ? classId_(classXmlTag) : 0;
}

std::string TTolvexObjectContext::GetCurrentLangCode() const
{
    return catalog_ ? catalog_->GetCurrentLangCode() : kNoLanguageCode;
}

std::string TTolvexObjectContext::GetDefaultLangCode() const
{
    return catalog_ ? catalog_->GetDefaultLangCode() : kNoLanguageCode;
}

bool TTolvexObjectContext::IsLanguageKept(const std::string& langCode) const
{
    return !catalog_ || catalog_->HasLanguage(langCode);
}

int TTolvexObjectContext::ResolveItemId(const std::string& text, int currentId, int currentTreeId) const
{
    if (resolver_)
        return resolver_(text, currentId, currentTreeId);
    if (text == "current" || text == "process")
        return currentId;
    if (text == "currenttree")
        return currentTreeId;
    return TMemberValueText::ReadInteger(text);
}
