#pragma once
// A catalog created from a shipped catalog type through the root object and
// opened as its administrator, with an editing session over it as an item
// editor has one: a second connection with its unit of work and an object
// collection on it. Save and Cancel end the session's unit as the item
// editor's save and cancel do.
//
//   TSiteModelFixture site(1);                     // type 1, "admin"/"secret"
//   TFrameUsersEditorModel model(site.Context(7));
//   ...; site.Save();                              // or site.Cancel()
#include "catalog/CatalogDataFixture.h"

#include "editors/site/SiteModelContext.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <memory>
#include <stdexcept>
#include <string>

class TSiteModelFixture {
public:
    static constexpr const char* kCode = "site";

    explicit TSiteModelFixture(int catalogType = 1) : catalogType_(catalogType)
    {
        if (!root_.CreateCatalog(kCode, catalogType))
            throw std::runtime_error("cannot create a catalog of type " + std::to_string(catalogType));
        const std::string error = root_.Open(kCode, "admin", "secret");
        if (!error.empty() || !root_.Data())
            throw std::runtime_error("cannot open the catalog: " + error);
        StartSession();
    }
    ~TSiteModelFixture()
    {
        objects_.reset();
        if (connection_)
            connection_->RollbackTrans();
    }

    TRootFixture& Root() { return root_; }
    TTolvex& Program() { return root_.Root(); }
    TCatalog& Catalog() { return root_.Root().Catalog(); }
    TCatalogData& Data() { return *root_.Data(); }
    TAbstractDBConnection& Connection() { return *connection_; }
    TObjectCollection& Objects() { return *objects_; }
    // The catalog's main connection: what other editors see.
    TAbstractDBConnection& MainConnection() { return Data().GetConnectionFactory().GetConnection(); }

    // The context of an item in the catalog's default language.
    TSiteModelContext Context(int itemId, int treeItemId = 0)
    {
        const int tree = treeItemId ? treeItemId : itemId;
        TSiteModelContext context{Catalog(), Data(), Connection(), Objects(), kCode, Data().GetDefaultLangCode()};
        context.ItemId = itemId;
        context.TreeItemId = tree;
        context.ItemType = Data().GetQueries().GetItemType(tree, kCode, Connection());
        context.ParentItemId = Catalog().GetParentItemId(tree, kCode, Connection());
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

    // A new item of the type under the parent, committed, with a name in the default language.
    int AddItem(int itemType, int parentItemId, const std::string& name = std::string())
    {
        const int id = Catalog().CreateItem(itemType, parentItemId, 0, kCode, MainConnection(), 0);
        if (!name.empty()) {
            std::unique_ptr<TTolvexObject> names =
                Catalog().GetObjectFactory().CreateObjectTyped(id, 1, 0, MainConnection(), kCode);
            names->SetLangString("ItemName", Data().GetDefaultLangCode(), name, 0);
            names->Save();
        }
        return id;
    }

    // What a fresh reader sees (committed data only).
    std::string Property(int propertyId) { return TCatalog::GetCatalogProperty(propertyId, MainConnection(), kCode); }
    int CountOnMain(const std::string& sql)
    {
        TQueryGuard query(MainConnection());
        query->SetSQL(sql);
        query->SetParam("CatalogCode", std::string(kCode));
        TAbstractRecordset& rows = query->Open(true);
        const int count = rows.Eof() ? 0 : VariantToInteger(rows.Field(0));
        query->Close();
        return count;
    }
    // A stand-alone object of an item read afresh from the committed data.
    std::unique_ptr<TTolvexObject> Committed(int itemId, int classId)
    {
        return Catalog().GetObjectFactory().GetObjectTyped(itemId, classId, MainConnection(), kCode);
    }

private:
    void StartSession()
    {
        connection_ = Data().GetConnectionFactory().OpenSecondConnection();
        objects_ = std::make_unique<TObjectCollection>(Program().ObjectContext());
        objects_->Open(kCode, *connection_);
    }

    TRootFixture root_;
    int catalogType_;
    std::unique_ptr<TAbstractDBConnection> connection_;
    std::unique_ptr<TObjectCollection> objects_;
};
