#include "editors/site/page/FrameSimplePagePropertiesModel.h"

#include "storage/AbstractCObject.h"

void TFrameSimplePagePropertiesModel::SetKeywords(const std::string& keywords, int useParentKeywords)
{
    keywords_ = keywords;
    useParentKeywords_ = useParentKeywords;
    MarkModified();
}

void TFrameSimplePagePropertiesModel::SetDescription(const std::string& description)
{
    description_ = description;
    MarkModified();
}

bool TFrameSimplePagePropertiesModel::HasObjects() const
{
    return TPagePropertiesModel::HasObjects() && Object("CommonKeywords");
}

void TFrameSimplePagePropertiesModel::LoadObjects()
{
    const std::string& lang = Context().LangCode;
    description_ = Object("CommonWebPage")->GetLangString("MetaDescription", lang, 0);
    TAbstractCObject& keywords = *Object("CommonKeywords");
    keywords_ = keywords.GetLangString("MetaKeywords", lang, 0);
    useParentKeywords_ = keywords.GetInteger("UseParentKeywords", 0);
}

void TFrameSimplePagePropertiesModel::StoreObjects()
{
    const std::string& lang = Context().LangCode;
    TAbstractCObject& keywords = *Object("CommonKeywords");
    keywords.SetLangString("MetaKeywords", lang, keywords_, 0);
    keywords.SetNumber("UseParentKeywords", useParentKeywords_, 0);
    Object("CommonWebPage")->SetLangString("MetaDescription", lang, description_, 0);
}
