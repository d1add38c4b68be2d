#pragma once
// The catalog the import tests write into: the publishing fixture's catalog
// (type 1, open, English and German), an import run on a second connection
// with its unit of work begun, as the runner window gives one, and readers
// of what the imports left behind.
#include "PublishSiteFixture.h"

#include "catalog/Tolvex.h"
#include "publishing/TolvexPublisher.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/QueryGuard.h"
#include "catalog/CatalogItemsSql.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TImportSite : public TPublishSite {
public:
    // Runs an operation of class T with the parameters on a fresh second
    // connection of the catalog; the parameter list keeps what it wrote back.
    // Prepare, when given, sees the operation before it runs.
    template <typename T>
    std::unique_ptr<T> Run(std::vector<std::string>& params, const std::function<void(T&)>& prepare = {})
    {
        connection_ = Data().GetConnectionFactory().OpenSecondConnection();
        Runner().lines.clear();
        auto operation = std::make_unique<T>(params, *connection_,
                                             TPublisherEnvironment{Program().Gui(), nullptr, &Runner(),
                                                                   &Program().Root(), nullptr});
        if (prepare)
            prepare(*operation);
        try {
            operation->Run();
        } catch (const ETolvexException&) {
        }
        // The runner rolls its connection back when it is freed.
        if (connection_->InTransaction())
            connection_->RollbackTrans();
        connection_.reset();
        return operation;
    }

    // Rows of the catalog, read on the main connection.
    std::vector<int> ItemsOfType(int itemType, int parentId = -1)
    {
        std::string sql = "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemType = " +
                          std::to_string(itemType);
        if (parentId >= 0)
            sql += " AND ParentItemId = " + std::to_string(parentId);
        return Ids(sql + " ORDER BY ItemId");
    }
    int ParentOf(int itemId)
    {
        const std::vector<int> ids = Ids("SELECT ParentItemId AS ItemId FROM Items WHERE CatalogCode = :CatalogCode "
                                         "AND ItemId = " + std::to_string(itemId));
        return ids.empty() ? -1 : ids.front();
    }
    // A text value of the item in the language (any class, member by its name's text row).
    std::string Text(int itemId, int classId, int memberId, const std::string& lang)
    {
        for (const char* table : {"CStrings", "CText"}) {
            TQueryGuard query(Connection());
            query->SetSQL(std::string("SELECT ") + (std::string(table) == "CStrings" ? "StringValue" : "TextValue") +
                          " AS V FROM " + table + " WHERE CatalogCode = :CatalogCode AND ItemId = " +
                          std::to_string(itemId) + " AND ClassId = " + std::to_string(classId) +
                          " AND MemberId = " + std::to_string(memberId) + " AND LangCode = :Lang");
            query->SetParam("CatalogCode", std::string(kCode));
            query->SetParam("Lang", lang);
            TAbstractRecordset& rows = query->Open(true);
            if (!rows.Eof())
                return catalog_sql::TextOf(rows.Field("V"));
        }
        return {};
    }
    std::string Name(int itemId) { return Text(itemId, 1, 1, "EN"); }

private:
    std::vector<int> Ids(const std::string& sql)
    {
        TQueryGuard query(Connection());
        query->SetSQL(sql);
        query->SetParam("CatalogCode", std::string(kCode));
        std::vector<int> ids;
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            ids.push_back(catalog_sql::IntOf(rows.Field("ItemId")));
        return ids;
    }

    std::unique_ptr<TAbstractDBConnection> connection_;
};
