#include "editors/media/images/library/MediaLibraryModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/Singletons.h"
#include "common/Translation.h"
#include "editors/media/images/ImageInsertModel.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/IdRanges.h"

TMediaLibraryModel::TMediaLibraryModel(const TSiteModelContext& context, TMediaKind kind, TSettings settings)
    : TFrameTreeDataEditorModel(context, std::move(settings)), context_(context), kind_(kind)
{
}

TFrameTreeDataEditorModel::TSettings TMediaLibraryModel::SettingsOf(TMediaKind kind)
{
    TSettings settings;
    settings.TreeRoot = kind == TMediaKind::Images ? kImagesRootId : kBinaryObjectsRootId;
    settings.NewItemType = TMediaUsage::ItemTypeOf(kind);
    settings.WatchedKind = kind == TMediaKind::Images ? 3 : 0;  // an image was imported
    settings.KeepSaveBar = true;
    return settings;
}

std::string TMediaLibraryModel::Tr(const std::string& text, const std::string& arg) const
{
    return TTranslation::OrEnglish(Translation).Format(text, {arg});
}

bool TMediaLibraryModel::IsMediaItem(int itemId) const
{
    const TNode* node = Find(itemId);
    return node && !node->IsFolder && node->ItemType == ItemType();
}

bool TMediaLibraryModel::IsFolder(int itemId) const
{
    const TNode* node = Find(itemId);
    return node && node->IsFolder;
}

int TMediaLibraryModel::DataItemId(int itemId) const
{
    const TNode* node = Find(itemId);
    return node && node->LinkedItemId > 0 ? node->LinkedItemId : itemId;
}

std::string TMediaLibraryModel::DeleteQuestionText() const
{
    return Tr(kind_ == TMediaKind::Images ? "Do you really want to delete the image?"
                                          : "Do you really want to delete the binary object?");
}

std::string TMediaLibraryModel::InUseText() const
{
    return Tr(kind_ == TMediaKind::Images ? "Cannot delete the image because there is a link to it in catalog"
                                          : "Cannot delete the object because there is a link to it in catalog");
}

std::string TMediaLibraryModel::NothingToDeleteText() const
{
    return Tr(kind_ == TMediaKind::Images ? "There is no unreferenced images in the catalog."
                                          : "There is no unreferenced objects in the catalog.");
}

std::string TMediaLibraryModel::DeletedText(int count) const
{
    return Tr(kind_ == TMediaKind::Images ? "Were deleted $1 unreferenced image(s) from the catalog."
                                          : "Were deleted $1 unreferenced object(s) from the catalog.",
              std::to_string(count));
}

std::string TMediaLibraryModel::DeleteNode(int itemId, const TAsk& ask)
{
    const TNode* node = Find(itemId);
    if (!node)
        return std::string();
    if (node->IsFolder) {
        if (!ChildIds(itemId).empty())
            return Tr("Cannot delete non-empty folder");
        PushDelete({itemId});
        return std::string();
    }
    if (!ask(DeleteQuestionText()))
        return std::string();
    if (itemId > 0) {
        TMediaUsage usage(context_.Catalog, context_.Connection, context_.CatalogCode, kind_);
        if (usage.IsInUse(DataItemId(itemId)))
            return InUseText();
    }
    PushDelete({itemId});
    return std::string();
}

int TMediaLibraryModel::DeleteUnreferenced()
{
    TMediaUsage usage(context_.Catalog, context_.Connection, context_.CatalogCode, kind_);
    int count = 0;
    std::vector<int> shown;
    for (const int id : usage.Unreferenced(&count))
        if (Find(id))
            shown.push_back(id);
    if (shown.empty() || !PushDelete(shown))
        return 0;
    return count;
}

std::string TMediaLibraryModel::ImportFolderName(int selectedId) const
{
    const TNode* node = Find(selectedId);
    if (!node)
        return std::string();
    if (node->IsFolder)
        return node->Name;
    const TNode* parent = Find(node->ParentItemId);
    return parent && parent->IsFolder ? parent->Name : std::string();
}

std::string TMediaLibraryModel::AltFileName(int itemId) const
{
    const auto typed = altNames_.find(itemId);
    if (typed != altNames_.end())
        return typed->second;
    if (itemId <= 0)
        return std::string();
    return catalog_sql::TextOf(catalog_sql::FirstField(
        context_.Connection,
        "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId AND ClassId = 1 "
        "AND MemberId = 2 AND StringValue <> '' ORDER BY LangCode = :LangCode DESC, LangCode = 'XXX' DESC LIMIT 1",
        context_.CatalogCode, "StringValue", {{"ItemId", DataItemId(itemId)}, {"LangCode", context_.LangCode}}));
}

bool TMediaLibraryModel::SetAltFileName(int itemId, const std::string& name)
{
    const std::string filtered = TImageInsertModel::FilterAltFileName(name);
    if (itemId <= 0 || filtered == AltFileName(itemId))
        return false;
    altNames_[itemId] = filtered;
    return true;
}

void TMediaLibraryModel::BeginStore()
{
    storeUsage_.reset();
}

void TMediaLibraryModel::FinishStore()
{
    if (storeUsage_)
        storeUsage_->WritePending();
    storeUsage_.reset();
    // Pictures are published under one file name for every language.
    const std::string lang = kind_ == TMediaKind::Images ? "XXX" : context_.LangCode;
    for (const auto& [itemId, name] : altNames_)
        if (Find(itemId))
            if (TAbstractCObject* names = context_.Objects.GetObject(DataItemId(itemId), "CommonNames"))
                names->SetLangString("AltFileName", lang, name, 0);
    altNames_.clear();
}

bool TMediaLibraryModel::WriteDelete(int itemId)
{
    if (catalog_sql::IntOf(catalog_sql::FirstField(
            context_.Connection, "SELECT ItemType FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId",
            context_.CatalogCode, "ItemType", {{"ItemId", itemId}})) != ItemType())
        return TFrameTreeDataEditorModel::WriteDelete(itemId);
    // The references are read once per save, inside its unit of work.
    if (!storeUsage_) {
        storeUsage_ = std::make_unique<TMediaUsage>(context_.Catalog, context_.Connection, context_.CatalogCode, kind_);
        storeUsage_->ReadReferences();
    }
    return storeUsage_->DeleteIfUnusedAsRead(itemId) > 0;
}

TMediaLibraryModel::TObjectFacts TMediaLibraryModel::ObjectFacts(int itemId) const
{
    TObjectFacts facts;
    if (itemId <= 0)
        return facts;
    const int dataId = DataItemId(itemId);
    facts.FileName = catalog_sql::TextOf(catalog_sql::FirstField(
        context_.Connection,
        "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId AND ClassId = 304 "
        "AND MemberId = 1 ORDER BY LangCode = :LangCode DESC LIMIT 1",
        context_.CatalogCode, "StringValue", {{"ItemId", dataId}, {"LangCode", context_.LangCode}}));
    const std::vector<TVariant> row = catalog_sql::FirstRow(
        context_.Connection,
        "SELECT DataMimeType, LENGTH(DataBlob) AS Bytes FROM CBinary WHERE CatalogCode = :CatalogCode AND "
        "ItemId = :ItemId AND ClassId = 304 AND MemberId = 2 ORDER BY LangCode = :LangCode DESC LIMIT 1",
        context_.CatalogCode, {"DataMimeType", "Bytes"}, {{"ItemId", dataId}, {"LangCode", context_.LangCode}});
    if (row.size() == 2) {
        facts.MimeType = catalog_sql::TextOf(row[0]);
        facts.Bytes = catalog_sql::IntOf(row[1]);
    }
    return facts;
}

std::string TMediaLibraryModel::ImageMimeType(int itemId) const
{
    if (itemId <= 0)
        return std::string();
    return catalog_sql::TextOf(catalog_sql::FirstField(
        context_.Connection,
        "SELECT DataMimeType FROM CBinary WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId AND ClassId = 5 "
        "AND DataBlob IS NOT NULL LIMIT 1",
        context_.CatalogCode, "DataMimeType", {{"ItemId", DataItemId(itemId)}}));
}
