// The rows of items taken and put back: after any change to the items'
// tree rows, objects and values (of every value table, blobs and dates
// included), Restore leaves every table as it was; other items stay as
// they are now.
#include "storage/ItemRowsSnapshot.h"
#include "storage/QueryGuard.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const char* const kTables[] = {"Items", "CObjectInstances", "CStrings", "CText", "CNumbers", "CDates", "CBinary"};

class ItemRowsSnapshotTest : public ::testing::Test {
protected:
    // Every row of the catalog tables as text, table by table.
    std::multiset<std::string> Dump()
    {
        std::multiset<std::string> lines;
        for (const char* table : kTables) {
            TQueryGuard query(db.Connection());
            query->SetSQL(std::string("SELECT * FROM ") + table);
            for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
                std::string line = table;
                for (int i = 0; i < rows.FieldCount(); ++i)
                    line += "|" + TextOfValue(rows.Field(i));
                lines.insert(line);
            }
        }
        return lines;
    }
    // A value with its kind, so that a value read back as another kind shows.
    static std::string TextOfValue(const TVariant& value)
    {
        const std::string kind = std::to_string(static_cast<int>(value.Kind())) + ":";
        switch (value.Kind()) {
        case TVariantKind::Null: return "null";
        case TVariantKind::Integer: return kind + std::to_string(value.AsInteger());
        case TVariantKind::Float: return kind + std::to_string(value.AsFloat());
        case TVariantKind::Text: return kind + value.AsText();
        case TVariantKind::Boolean: return kind + (value.AsBoolean() ? "true" : "false");
        case TVariantKind::DateTime: return kind + std::to_string(value.AsDateTime().days);
        case TVariantKind::Bytes: {
            std::string hex = kind;
            for (unsigned char c : value.AsBytes().data)
                hex += "0123456789abcdef"[c >> 4], hex += "0123456789abcdef"[c & 15];
            return hex;
        }
        }
        return kind;
    }
    void Values(int itemId, const std::string& text, double number)
    {
        db.Exec("INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
                "VALUES ('shop', :Id, 5, 0, 1)", {{"Id", itemId}});
        for (const char* table : {"CStrings", "CText"})
            db.Exec(std::string("INSERT INTO ") + table + " VALUES ('shop', :Id, 5, 1, 1, 'EN', 0, 1, :V)",
                    {{"Id", itemId}, {"V", text}});
        db.Exec("INSERT INTO CNumbers VALUES ('shop', :Id, 5, 1, 2, 'XXX', 0, 101, :V)", {{"Id", itemId}, {"V", number}});
        db.Exec("INSERT INTO CDates VALUES ('shop', :Id, 5, 1, 3, 'XXX', 0, 201, '2024-05-06 07:08:09')", {{"Id", itemId}});
        db.Exec("INSERT INTO CBinary VALUES ('shop', :Id, 5, 1, 6, 'XXX', 0, 252, :B, 7, 3, 'image/png')",
                {{"Id", itemId}, {"B", TVariant(TBytes{std::string("\0\x01\x02", 3)})}});
    }

    TCatalogFixture db;
};

}  // namespace

TEST_F(ItemRowsSnapshotTest, RestorePutsBackEveryRowOfTheItemsAndNothingElse)
{
    db.AddItem(10, 301, 3);
    db.AddItem(11, 301, 10);
    Values(10, "before", 1.5);
    Values(11, "copy", 2);
    db.AddItem(20, 301, 3);
    Values(20, "other", 3);
    const std::multiset<std::string> before = Dump();
    const TItemRowsSnapshot snapshot = TItemRowsSnapshot::Take(db.Connection(), "shop", {10, 11, 12});

    db.Exec("UPDATE CStrings SET StringValue = 'after' WHERE ItemId = 10");
    db.Exec("UPDATE CBinary SET DataBlob = x'FFFF', DataMimeType = 'image/jpeg' WHERE ItemId = 10");
    db.Exec("DELETE FROM CNumbers WHERE ItemId = 11");
    db.Exec("UPDATE Items SET ParentItemId = 20, DateModified = '2030-01-01' WHERE ItemId = 11");
    db.AddItem(12, 301, 10);  // made after the snapshot: it goes
    Values(12, "new", 4);
    db.Exec("INSERT INTO CStrings VALUES ('shop', 10, 5, 1, 9, 'DE', 0, 1, 'added')");
    snapshot.Restore(db.Connection());

    EXPECT_EQ(Dump(), before);

    db.Exec("UPDATE CStrings SET StringValue = 'changed later' WHERE ItemId = 20");
    TItemRowsSnapshot::Take(db.Connection(), "shop", {10}).Restore(db.Connection());
    EXPECT_EQ(db.Scalar("SELECT StringValue FROM CStrings WHERE ItemId = 20").AsText(), "changed later")
        << "items outside the snapshot are left alone";
}
