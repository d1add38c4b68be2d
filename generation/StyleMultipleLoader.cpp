#include "generation/StyleMultipleLoader.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/TolvexCatalog.h"
#include "common/CaptionValue.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/Translation.h"
#include "generation/StyleManager.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/MemberValueText.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"

#include <exception>
#include <memory>
#include <vector>

namespace {

// Members of a catalog network are items of this type with a class-606 object.
constexpr int kMemberItemType = 5002;
constexpr int kMemberClass = 606;

const char* const kTexts[] = {"",
                              "Do you want to cancel uploading styles process?",
                              "Start applying styles",
                              "Successfully applied.",
                              "Operation was canceled by user.",
                              "Applied and $1 error(s) occur",
                              "Process cancelled by user",
                              "Errors occurred during the applying styles operation"};

// The database file of the catalog list's entry named Code; empty when none.
// An entry is "[prefix / ]name===folder/file".
std::string FindDatabaseFile(const std::vector<TCatalog::TListEntry>& list, const std::string& code)
{
    for (const TCatalog::TListEntry& entry : list) {
        if (CaptionValue::HasValue(entry.Text) && common_detail::SameText(CaptionValue::CaptionOf(entry.Text), code))
            return CaptionValue::ValueOf(entry.Text);
    }
    return {};
}

}  // namespace

TStyleMultipleLoader::TStyleMultipleLoader(TStyleManager& manager, TCatalog& catalog,
                                           const TTranslation* translation)
    : manager_(manager), catalog_(catalog), translation_(translation)
{
}

std::string TStyleMultipleLoader::GetText(int kind) const
{
    if (kind < 1 || kind >= static_cast<int>(std::size(kTexts)))
        return {};
    return kTexts[kind];
}

std::string TStyleMultipleLoader::Format(const std::string& text, const std::string& arg) const
{
    return translation_ ? translation_->Format(text, {arg}) : TTranslation().Format(text, {arg}, false);
}

bool TStyleMultipleLoader::Execute(TRun& run)
{
    errors_ = 0;
    auto* open = dynamic_cast<TCatalogData*>(catalog_.GetData());
    if (!open)
        throw EDeveloperTolvexException("The styles of member catalogs are applied with a catalog open");
    TAbstractDBConnection& connection = run.Connection();
    std::vector<TCatalog::TListEntry> catalogs;
    catalog_.GetCatalogList(catalogs);
    std::vector<std::string> members;
    open->GetQueries().GetItemIdsOfType(kMemberItemType, members, true, connection, open->GetCatalogCode());

    for (const std::string& text : members) {
        if (run.Cancelled())
            return false;
        std::unique_ptr<TTolvexObject> member = catalog_.GetObjectFactory().GetObjectTyped(
            TMemberValueText::ReadInteger(text), kMemberClass, connection, open->GetCatalogCode());
        if (!member || member->GetInstanceId() == 0)
            continue;
        member->Load();
        const std::string code = member->GetString("CatalogCode", 0);
        const std::string file = FindDatabaseFile(catalogs, code);
        if (code.empty() || file.empty())
            continue;  // not a catalog of this installation
        run.Log(Format("Catalog \"$1\"", code));
        if (!ApplyToMember(code, file, run))
            ++errors_;
    }
    return errors_ == 0;
}

bool TStyleMultipleLoader::ApplyToMember(const std::string& code, const std::string& databaseFile, TRun& run)
{
    std::unique_ptr<TAbstractDBConnection> connection;
    try {
        TTolvexCatalog member(catalog_);
        if (!member.OpenDatabaseFile(databaseFile)) {
            run.Log(Format("Cannot open database of catalog \"$1\"", code));
            return false;
        }
        connection = member.GetConnectionFactory().OpenSecondConnection();
        if (!member.ReadCatalogInfo(code, *connection)) {
            run.Log(Format("Cannot initialize catalog \"$1\"", code));
            return false;
        }
        if (!common_detail::SameText(member.GetCatalogCode(), code)) {
            run.Log(Format("Cannot open catalog \"$1\"", code));
            return false;
        }
        std::unique_ptr<TAbstractDBConnectionFactory> definition =
            catalog_.GetDefinition().OpenDefinitionDatabase(member.GetCatalogType());
        TAbstractDBConnection& source = definition->GetConnection();
        std::vector<std::string> defaults;
        member.ListDefaultTemplateIds(defaults, *connection);
        member.UpgradeStyles(*connection, source);
        std::vector<std::string> params;
        const int style = manager_.FindCurrentStyle(
            member, TStyleManager::GetStyleCatalogCode(member.GetCatalogType()), &params, source, *connection);
        std::string fields;
        for (const std::string& param : params)
            fields.append(fields.empty() ? "" : "&").append(param);
        if (!member.ApplyIncludedStyles(style, *connection, source, fields)) {
            connection->RollbackTrans();
            run.Log(Format("Cannot apply style to the catalog.", code));
            return false;
        }
        for (const std::string& id : defaults)
            member.MakeDefaultTemplate(TMemberValueText::ReadInteger(id), *connection);
        connection->CommitTrans();
        run.Log(Format("Style is applied to the catalog.", code));
        return true;
    } catch (const std::exception& error) {
        if (connection && connection->InTransaction())
            connection->RollbackTrans();
        run.Log(Format("Cannot apply style. Error occurs: \"$1\"", error.what()));
        return false;
    }
}
