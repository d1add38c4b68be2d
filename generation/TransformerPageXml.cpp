// The page document "out.xml": the identity of the page on its root "Page",
// the extra data set by the caller, a submitted web form and a simulated
// login, then what the generation rules write.
#include "generation/Transformer.h"

#include "common/CommonGui.h"
#include "common/ParamList.h"
#include "common/WellKnownIds.h"
#include "generation/TransformerCatalog.h"
#include "generation/PageDocument.h"
#include "generation/PageXmlSource.h"
#include "generation/TransformerWorkFiles.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/AbstractObjectFactory.h"

#include <libxml/tree.h>

namespace {

// The class of the simulated wholesale buyer and the system's "undefined" number.
constexpr int kWholesaleBuyerClass = 10005;
constexpr int kUndefinedNumber = -1010101;

// The catalog type that a preview role simulates a login of; 0 for none.
int LogonCatalogType(const std::string& role)
{
    static const std::pair<const char*, int> roles[] = {
        {"productcatalogowner", 1}, {"cocowner", 2},           {"hotelowner", 3},
        {"vbhhotelowner", 5},       {"tolvexowner", 6},        {"lhrarestaurantowner", 7},
        {"lhrahotelowner", 8},      {"wholesale", 9},          {"approvedwholesale", 9},
    };
    for (const auto& [name, type] : roles)
        if (role == name)
            return type;
    return 0;
}

}  // namespace

void TTransformer::BuildXml()
{
    {
        TWaitCursor wait(catalog_.GetGui());
        SetRootAttributes();
        WriteParameters();
        WriteSubmittedQuery();
        if (!previewRole_.empty())
            WriteLogonResult();
        for (const std::string& rule : rules_)
            if (!rule.empty())
                builder_->ProcessRule(itemId_, treeItemId_, itemType_, rule, *connection_, *collection_, catalogCode_,
                                      false);
    }
    if (keptWorkFiles_)
        keptWorkFiles_->KeepDocument("out.xml", pageDocument_, workFileSequence_);
    else
        pageDocument_->SaveToFile(workDir_ + "/out.xml");
}

void TTransformer::SetRootAttributes()
{
    xmlNode* root = pageDocument_->Root();
    if (TAbstractCObject* info = collection_->GetObject(kCatalogInfoItemId, "CatalogInfo"))
        pageDocument_->SetAttribute(root, "CatalogType", std::to_string(info->GetInteger("CatalogType", 0)));
    if (itemId_ != 0)
        pageDocument_->SetAttribute(root, "ItemId", std::to_string(itemId_));
    if (treeItemId_ != 0) {
        pageDocument_->SetAttribute(root, "ItemType", std::to_string(itemType_));
        pageDocument_->SetAttribute(root, "TreeItemId", std::to_string(treeItemId_));
        pageDocument_->SetAttribute(root, "FileName", PageFileName());
    }
}

// One element per parameter, holding one element per field of its value.
void TTransformer::WriteParameters()
{
    for (const auto& [name, value] : parameters_) {
        xmlNode* element = pageDocument_->AddElement(pageDocument_->Root(), name);
        for (const std::string& field : TParamList::SplitFields(value, '&', true))
            pageDocument_->AddElement(element, TParamList::NameOf(field), TParamList::ValueOf(field));
    }
}

void TTransformer::WriteSubmittedQuery()
{
    if (submittedQuery_.empty())
        return;
    xmlNode* page = pageDocument_->AddElement(pageDocument_->Root(), "Page");
    xmlNode* parameters = pageDocument_->AddElement(page, "SubmitedParameters");
    for (const std::string& field : TParamList::SplitFields(submittedQuery_, '&', true)) {
        xmlNode* parameter = pageDocument_->AddElement(parameters, "Parameter");
        pageDocument_->AddElement(parameter, "Name", TParamList::NameOf(field));
        pageDocument_->AddElement(parameter, "Value", TParamList::ValueOf(field));
    }
    pageDocument_->AddElement(page, "QueryString", submittedQuery_);
}

void TTransformer::WriteLogonResult()
{
    const int catalogType = LogonCatalogType(previewRole_);
    if (catalogType == 0)
        return;
    xmlNode* logon = pageDocument_->AddElement(pageDocument_->Root(), "LogonResult");
    pageDocument_->AddElement(logon, "UserName", "Administrator");
    pageDocument_->AddElement(logon, "CatalogCode", "demo");
    pageDocument_->AddElement(logon, "CatalogType", std::to_string(catalogType));
    pageDocument_->AddElement(logon, "UserRole", "Admin");
    if (catalogType == 9)
        WriteWholesaleBuyer();
}

void TTransformer::WriteWholesaleBuyer()
{
    xmlNode* buyer = pageDocument_->AddElement(pageDocument_->Root(), "WholesaleBuyer");
    std::unique_ptr<TAbstractCObject> login =
        catalog_.GetObjectFactory().GetObject(0, kWholesaleBuyerClass, *connection_, catalogCode_);
    if (!login)
        return;
    login->Load();
    login->SetNumber("Id", kUndefinedNumber, 0);
    login->SetString("Login", "test", 0);
    login->WriteXml(pageDocument_->Document(), buyer, "", "", 0);
}
