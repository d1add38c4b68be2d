#pragma once
// The program with a catalog open and its home page in the editor pane, for
// the picture editors' tests: pictures made on the fly, the image dialog run
// on the page editor's connection as the page's own dialogs run it, its
// controls found and pressed, and what was stored read back through the
// main connection.
#include "../site/EditorPaneHelpers.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/ImageSave.h"
#include "common/CommonGui.h"
#include "common/CommonImages.h"
#include "common/PictureCodec.h"
#include "common/PictureFile.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/Registration.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/RecordValues.h"
#include "support/TempFolder.h"

#include <QCheckBox>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <initializer_list>

class TImageDialogFixture : public ::testing::Test {
public:
    // ---- pictures ------------------------------------------------------------------------
    static TPicture Picture(int width, int height)
    {
        TPicture picture(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                picture.SetPixel(x, y, {static_cast<std::uint8_t>(x * 255 / width), static_cast<std::uint8_t>(y * 255 / height),
                                        static_cast<std::uint8_t>((x / 16 + y / 16) % 2 ? 200 : 40), 255});
        return picture;
    }
    static std::string Encoded(TPictureKind kind, int width, int height)
    {
        return TPictureCodec::ForKind(kind).Encode(Picture(width, height));
    }
    static std::string Jpeg(int width, int height) { return Encoded(TPictureKind::Jpeg, width, height); }
    static std::string Png(int width, int height) { return Encoded(TPictureKind::Png, width, height); }
    static std::string Gif(int width, int height) { return Encoded(TPictureKind::Gif, width, height); }

protected:
    static constexpr int kHome = 100001;

    // More: classes a test registers besides the program's; AdvancedMode
    // shows the editors of the advanced mode.
    explicit TImageDialogFixture(const TShellFixture::TRegisterClasses& more = {}, bool advancedMode = false)
        : f(
              [more](TInternalPluginsManager& registry) {
                  RegisterFrameworkClasses(registry);
                  if (more)
                      more(registry);
              },
              advancedMode)
    {
        EXPECT_EQ(f.CreateAndOpen(), "");
        const int type = f.Data().GetItemDescription(kHome, Code(), f.Main()).ItemType;
        EXPECT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(kHome, type, "", ""));
        QCoreApplication::processEvents();
    }

    std::string Code() { return f.Data().GetCatalogCode(); }
    TScriptedGui& Gui() { return f.Boxes(); }
    const TTempFolder& Folder() const { return folder_; }

    // ---- the dialog ------------------------------------------------------------------------
    // What the page's Insert Picture sends (main 400, large 1000, thumbnail 200).
    static std::vector<std::string> HtmlPictureParams()
    {
        return {"MainImageSize=400", "LargeImageSize=1000", "CanLargeCopy=yes", "ThumbnailImageSize=200",
                "CanThumbnailCopy=yes", "FolderName=Design images"};
    }
    // The named dialog on the page editor's connection, as the page's frames run it.
    bool RunDialog(const std::string& name, std::vector<std::string>& params)
    {
        return f.Editor().Context()->RunDialog(name, params);
    }
    template <class T>
    static T* Find(QWidget& window, const char* name)
    {
        T* found = window.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void Click(QWidget& window, const char* name)
    {
        if (auto* button = Find<QPushButton>(window, name))
            button->click();
        QCoreApplication::processEvents();
    }
    static void Shot(QWidget& window, const char* name)
    {
        if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR")) {
            QTest::qWait(100);
            window.grab().save(QString("%1/%2.png").arg(dir, name));
        }
    }
    static int Number(const std::vector<std::string>& params, const char* name)
    {
        return std::atoi(ValueOfName(params, name).c_str());
    }
    // The values of the keys joined by "|".
    static std::string Answers(const std::vector<std::string>& params, std::initializer_list<const char*> names)
    {
        std::string joined;
        for (const char* name : names)
            joined += (joined.empty() ? "" : "|") + ValueOfName(params, name);
        return joined;
    }

    // ---- what is stored --------------------------------------------------------------------------
    bool ItemExists(int itemId) { return itemId > 0 && f.Root().Catalog().ItemExists(itemId, Code(), f.Main()); }
    int ParentOf(int itemId) { return f.Data().GetItemDescription(itemId, Code(), f.Main()).ParentItemId; }
    std::string ItemName(int itemId) { return f.Data().GetItemName(itemId, f.Main(), f.Data().GetDefaultLangCode()); }
    int ImageCount()
    {
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT COUNT(*) AS N FROM Items WHERE CatalogCode = :Code AND ItemType = 301");
        query->SetParam("Code", Code());
        return FieldInteger(query->Open(true), "N");
    }
    std::string StoredSize(int itemId)
    {
        TPicture picture;
        std::int64_t size = 0;
        std::string mimeType;
        if (!TCommonImages::LoadImageToPicture(Code(), itemId, picture, size, mimeType, f.Main()))
            return "(none)";
        return std::to_string(picture.Width()) + " x " + std::to_string(picture.Height());
    }
    std::string StoredMimeType(int itemId)
    {
        TPicture picture;
        std::int64_t size = 0;
        std::string mimeType;
        TCommonImages::LoadImageToPicture(Code(), itemId, picture, size, mimeType, f.Main());
        return mimeType;
    }
    // Every value row of the item and of the items below it, as text.
    std::string StoredRows(int itemId)
    {
        std::string rows;
        for (const char* table : {"CStrings", "CNumbers", "CBinary"}) {
            TQueryGuard query(f.Main());
            query->SetSQL(std::string("SELECT * FROM ") + table +
                          " WHERE CatalogCode = :Code AND (ItemId = :Id OR ItemId IN (SELECT ItemId FROM Items WHERE "
                          "CatalogCode = :Code AND ParentItemId = :Id)) ORDER BY ItemId, ClassId, MemberId, LangCode");
            query->SetParam("Code", Code());
            query->SetParam("Id", itemId);
            for (TAbstractRecordset& r = query->Open(true); !r.Eof(); r.Next()) {
                rows += table;
                for (int i = 0; i < r.FieldCount(); ++i)
                    rows += "|" + FieldText(r, r.FieldName(i));
                rows += "\n";
            }
        }
        return rows;
    }
    // An image stored the plain way (a thumbnail copy too), committed.
    int StoreImage(const std::string& name, const std::string& jpeg)
    {
        TImageSave save({f.Root().Catalog(), f.Data(), f.Root().Catalog().GetObjectFactory(), &f.Data().GetFolders()},
                        f.Main());
        TImageSave::TRequest request;
        request.Names = {f.Data().GetDefaultLangCode() + "=" + name};
        request.MimeType = "image/jpeg";
        request.Thumbnail = {true, {true, 20, TImageScaleType::Maximal}};
        return save.Write(request, TImageSave::Prepare(TPictureFile::Decode(jpeg), request)).Main.ItemId;
    }
    // Another writer commits at once; it would fail as busy if anything held the write lock.
    void AnotherEditorSaves()
    {
        std::unique_ptr<TAbstractDBConnection> other = f.Data().GetConnectionFactory().OpenSecondConnection();
        f.Data().SetCatalogProperty(707, "saved by another editor", *other);
        other->CommitTrans();
        other->BeginTrans();
    }

    TMainWindowFixture f;

private:
    TTempFolder folder_;
};
