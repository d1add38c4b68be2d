#pragma once
// The style catalog "t#N" of a shipped catalog type opened for editing, as
// File / Styles opens it (in the program folder's own copy of the shipped
// databases), with an editing session over it as an item editor has one: a
// second connection with its unit of work and an object collection on it.
// Save and Cancel end the session's unit as the item editor's do.
//
//   TStyleCatalogFixture styles(1);                  // "t#1"
//   TPreDefinedStyleModel model(styles.Context(600901));
//   ...; styles.Save();                              // or styles.Cancel()
#include "catalog/CatalogDataFixture.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "editors/site/SiteModelContext.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class TStyleCatalogFixture {
public:
    explicit TStyleCatalogFixture(int catalogType = 1) : code_("t#" + std::to_string(catalogType))
    {
        const TIniSettings& ini = Program().Settings().IniSettings();
        const std::string folder = (std::filesystem::path(Program().Settings().AppDir()) / "databases").string();
        std::string error;
        Program().OpenCatalog(folder, ini.GetString(siStylesDatabaseType), ini.GetString(siStylesDatabaseParams),
                              code_, "", "", kOpenSkipUserCheck, error);
        if (!error.empty() || !root_.Data())
            throw std::runtime_error("cannot open the style catalog " + code_ + ": " + error);
        connection_ = Data().GetConnectionFactory().OpenSecondConnection();
        objects_ = std::make_unique<TObjectCollection>(Program().ObjectContext());
        objects_->Open(code_, *connection_);
    }
    ~TStyleCatalogFixture()
    {
        objects_.reset();
        if (connection_)
            connection_->RollbackTrans();
    }

    TRootFixture& Root() { return root_; }
    TTolvex& Program() { return root_.Root(); }
    TCatalog& Catalog() { return Program().Catalog(); }
    TCatalogData& Data() { return *root_.Data(); }
    const std::string& Code() const { return code_; }
    TAbstractDBConnection& Connection() { return *connection_; }
    TObjectCollection& Objects() { return *objects_; }
    // What other editors see: the open catalog's main connection.
    TAbstractDBConnection& MainConnection() { return Data().GetConnectionFactory().GetConnection(); }

    // The context of an item in the catalog's default language.
    TSiteModelContext Context(int itemId)
    {
        TSiteModelContext context{Catalog(), Data(), Connection(), Objects(), code_, Data().GetDefaultLangCode()};
        context.ItemId = itemId;
        context.TreeItemId = itemId;
        context.ItemType = Data().GetQueries().GetItemType(itemId, code_, Connection());
        context.ParentItemId = Catalog().GetParentItemId(itemId, code_, Connection());
        return context;
    }

    // The item editor's save: objects saved, the unit committed, a new one begun.
    void Save()
    {
        if (!objects_->SaveAll())
            throw std::runtime_error("an object failed to save");
        connection_->CommitTrans();
        connection_->BeginTrans();
    }
    // The item editor's cancel: the unit rolled back, unsaved objects dropped.
    void Cancel()
    {
        objects_->DiscardChanges();
        connection_->RollbackTrans();
        connection_->BeginTrans();
        objects_->Clear();
    }

    // A new item of the type under the parent, committed.
    int AddItem(int itemType, int parentItemId)
    {
        return Catalog().CreateItem(itemType, parentItemId, 0, code_, MainConnection(), 0);
    }

    // The first column of a query on the committed data, as texts (":Code" is the catalog's code).
    std::vector<std::string> Column(const std::string& sql)
    {
        TQueryGuard query(MainConnection());
        query->SetSQL(sql);
        query->SetParam("Code", code_);
        std::vector<std::string> values;
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            values.push_back(TCommonFunctions::VariantToString(rows.Field(0)));
        return values;
    }
    // The committed values of a string member in index order.
    std::vector<std::string> Strings(int itemId, int classId, int memberId)
    {
        return Column("SELECT StringValue FROM CStrings WHERE CatalogCode = :Code AND ItemId = " +
                      std::to_string(itemId) + " AND ClassId = " + std::to_string(classId) +
                      " AND MemberId = " + std::to_string(memberId) + " ORDER BY LangCode, IndexId");
    }
    // The committed values of a number member in index order.
    std::vector<std::string> Numbers(int itemId, int classId, int memberId)
    {
        return Column("SELECT CAST(NumberValue AS INTEGER) FROM CNumbers WHERE CatalogCode = :Code AND ItemId = " +
                      std::to_string(itemId) + " AND ClassId = " + std::to_string(classId) +
                      " AND MemberId = " + std::to_string(memberId) + " ORDER BY LangCode, IndexId");
    }
    void Exec(const std::string& sql)
    {
        TQueryGuard query(MainConnection());
        query->SetSQL(sql);
        query->SetParam("Code", code_);
        query->ExecSQL();
    }

private:
    TRootFixture root_;
    std::string code_;
    std::unique_ptr<TAbstractDBConnection> connection_;
    std::unique_ptr<TObjectCollection> objects_;
};
