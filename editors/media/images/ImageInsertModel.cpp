#include "editors/media/images/ImageInsertModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/ImageSave.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "common/WellKnownIds.h"
#include "editors/framework/DialogWriteChannel.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <cstdlib>

namespace {

bool IsYes(const std::vector<std::string>& params, const char* name)
{
    return ValueOfName(params, name) == "yes";
}

int NumberOf(const std::vector<std::string>& params, const char* name)
{
    return std::atoi(ValueOfName(params, name).c_str());
}

}  // namespace

std::string TImageInsertModel::FilterAltFileName(const std::string& text)
{
    std::string kept;
    for (const char c : text)
        if (c == '-' || c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            kept += c;
    return kept;
}

std::string TImageInsertModel::NameOfPath(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.substr(0, name.find('.'));
}

// ---- set-up ---------------------------------------------------------------------------------------

void TImageInsertModel::ReadParams(const std::vector<std::string>& params, TTolvexControlClass* context)
{
    const std::pair<const char*, TFlag> keys[] = {
        {"NeedThumbnailCopy", NeedThumbnail}, {"CanThumbnailCopy", CanThumbnail},
        {"MustThumbnailCopy", MustThumbnail}, {"NeedLargeCopy", NeedLarge},
        {"CanLargeCopy", CanLarge},           {"CanBackground", CanBackground},
        {"DontDefaultMainScale", DontDefaultMainScale}};
    flags_ = 0;
    for (const auto& [key, flag] : keys)
        if (IsYes(params, key))
            flags_ |= flag;
    MainSize = NumberOf(params, "MainImageSize");
    LargeSize = NumberOf(params, "LargeImageSize");
    ThumbnailSize = NumberOf(params, "ThumbnailImageSize");
    controls_ = {};
    controls_.HtmlPanel = IsYes(params, "ShowHtmlAttributes");
    controls_.BackgroundVisible = Has(CanBackground);
    if (controls_.HtmlPanel && context)
        Html.ReadDefaults(*context);
}

// ---- the rules ----------------------------------------------------------------------------------------

void TImageInsertModel::PictureLoaded(int width, int height)
{
    width_ = width;
    height_ = height;
    loaded_ = true;
    controls_.PreviewVisible = true;
    controls_.NamePanel = true;
    controls_.MainPanel = MainSize > 1;
    if (ThumbnailSize > 0) {
        controls_.ThumbnailPanel = Has(MustThumbnail) || Has(NeedThumbnail) || Has(CanThumbnail);
        if (Has(MustThumbnail) || Has(NeedThumbnail)) {
            controls_.SaveThumbnail = true;
            controls_.ScaleThumbnail = Exceeds(ThumbnailSize);
            controls_.SaveThumbnailEnabled = !Has(MustThumbnail);
        }
        ThumbnailRule();
    }
    if (!Has(DontDefaultMainScale) && controls_.MainPanel) {
        switch (MainType) {
        case TImageScaleType::Vertical: controls_.MainScale = height > MainSize; break;
        case TImageScaleType::Horizontal: controls_.MainScale = width > MainSize; break;
        case TImageScaleType::Maximal: controls_.MainScale = Exceeds(MainSize); break;
        }
    }
    MainScalingRule();
}

void TImageInsertModel::SetMainScale(bool on)
{
    controls_.MainScale = on;
    MainScalingRule();
}

void TImageInsertModel::SetSaveThumbnail(bool on)
{
    // A thumbnail the dialog must store cannot be unticked.
    controls_.SaveThumbnail = on || (Has(MustThumbnail) && controls_.ThumbnailPanel);
    ThumbnailRule();
}

void TImageInsertModel::SetSaveLarge(bool on)
{
    controls_.SaveLarge = on;
    LargeCopyRule();
}

void TImageInsertModel::ThumbnailRule()
{
    controls_.ThumbnailScaleVisible = controls_.SaveThumbnail;
    controls_.ThumbnailTypeVisible = controls_.SaveThumbnail && (!loaded_ || Exceeds(ThumbnailSize));
}

void TImageInsertModel::MainScalingRule()
{
    const bool largeOffered = Has(NeedLarge) || Has(CanLarge);
    controls_.LargePanel = controls_.MainScale && largeOffered;
    controls_.SaveLarge = controls_.LargePanel && Has(NeedLarge);
    LargeCopyRule();
    if (largeOffered && LargeSize > 0 && loaded_ && Exceeds(MainSize)) {
        controls_.SaveLarge = true;
        LargeCopyRule();
    }
}

void TImageInsertModel::LargeCopyRule()
{
    controls_.LargeScaleVisible = controls_.SaveLarge && (Has(NeedLarge) || Has(CanLarge));
    controls_.PopupLargeVisible = controls_.SaveLarge;
    if (loaded_)
        controls_.ScaleLarge = controls_.SaveLarge && Exceeds(LargeSize);
}

// ---- names ----------------------------------------------------------------------------------------------

void TImageInsertModel::SetName(const std::string& lang, const std::string& name)
{
    if (!lang.empty())
        names_[lang] = name;
}

std::string TImageInsertModel::NameIn(const std::string& lang) const
{
    const auto found = names_.find(lang);
    return found == names_.end() ? std::string() : found->second;
}

// ---- addresses -------------------------------------------------------------------------------------------

std::string TImageInsertModel::ImageAddress(const std::string& typed, std::string& error)
{
    const std::size_t first = typed.find_first_not_of(" \t\r\n");
    const std::size_t last = typed.find_last_not_of(" \t\r\n");
    const std::string address = first == std::string::npos ? std::string() : typed.substr(first, last - first + 1);
    error.clear();
    if (address.empty()) {
        error = "Please, enter URL of an image first";
        return {};
    }
    const std::string lower = common_detail::LowerCase(address);
    if (lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0)
        return address;
    if (address.find("://") != std::string::npos) {
        error = "Unsupported protocol";
        return {};
    }
    return "http://" + address;
}

std::string TImageInsertModel::MimeTypeOfDownload(const std::string& address, const std::string& contentType)
{
    // The path's last part, without the query and the fragment.
    std::string path = address.substr(0, address.find_first_of("?#"));
    const std::size_t scheme = path.find("://");
    const std::size_t slash = path.find('/', scheme == std::string::npos ? 0 : scheme + 3);
    path = slash == std::string::npos ? std::string() : path.substr(slash);
    const std::string byName = TCommonFunctions::GetMimeTypeByFileName(path);
    if (TCommonImages::IsImageMimeType(byName) || byName == "application/x-ico")
        return byName;
    return TCommonImages::IsImageMimeType(contentType) ? common_detail::LowerCase(contentType) : byName;
}

// ---- storing ------------------------------------------------------------------------------------------------

int TImageInsertModel::ImageOfSameName(TTolvexControlClass& context)
{
    TCatalogData& data = *context.Data();
    const std::string name = NameIn(data.GetDefaultLangCode());
    if (name.empty())
        return 0;
    int found = 0;
    {
        TQueryGuard query(context.GetConnection());
        query->SetSQL("SELECT a.ItemId FROM CStrings AS a WHERE a.CatalogCode = :CatalogCode AND a.ClassId = " +
                      std::to_string(kNamesClassId) +
                      " AND a.MemberId = 1 AND a.StringValue = :StringValue AND a.ItemId IN (SELECT b.ItemId FROM "
                      "Items AS b WHERE b.CatalogCode = a.CatalogCode AND b.ItemType = " +
                      std::to_string(kImageItemType) + ")");
        query->SetParam("CatalogCode", context.GetCatalogCode());
        query->SetParam("StringValue", name);
        TAbstractRecordset& rows = query->Open(true);
        if (!rows.Eof())
            found = FieldInteger(rows, "ItemId");
    }
    if (found == 0)
        return 0;
    const std::string question =
        context.TranslateFmt("You already have an image with caption \"$1\". Replace with this image?", {name});
    switch (context.Services().Gui.AskYesNoCancel(question, "", false, "")) {
    case mrYes:
        return found;
    case mrNo:
        return 0;
    default:
        return -1;
    }
}

bool TImageInsertModel::Store(TTolvexControlClass& context, const TStoreRequest& request, const std::string& nameField)
{
    if (!request.Picture || request.Picture->IsEmpty())
        return true;
    std::vector<std::string> ownParams;
    std::vector<std::string>& params = context.GetParams() ? *context.GetParams() : ownParams;
    SetName(context.GetCurrentLangCode(), nameField);
    const int sameName = ImageOfSameName(context);
    if (sameName < 0)
        return true;  // the user cancelled: nothing stored, no answer

    TCatalogData& data = *context.Data();
    TCatalog& catalog = context.Services().Root.Catalog();
    const TImageSave::TServices services{catalog, data, context.GetObjectFactory(), &data.GetFolders(), ::Translation};
    TImageSave reader(services, context.GetConnection());

    TImageSave::TRequest store;
    const int parentItemId = NumberOf(params, "ParentItemId");
    if (parentItemId == 0)
        store.FolderName = ValueOfName(params, "FolderName");
    store.TargetItemId = sameName;
    if (store.TargetItemId == 0 && parentItemId != 0 && reader.IsImageItem(parentItemId))
        store.TargetItemId =
            IsYes(params, "SaveAsThumbnail") ? reader.UsableCopyId(parentItemId, true) : parentItemId;
    for (const auto& [lang, name] : names_)
        if (!name.empty())
            store.Names.push_back(lang + "=" + name);
    store.DefaultName = nameField;
    store.AltFileName = FilterAltFileName(request.AltFileName);
    store.MimeType = request.MimeType;
    store.IsBackground = controls_.BackgroundVisible && controls_.Background;
    store.Main = {controls_.MainPanel && controls_.MainScale, MainSize, MainType};
    store.Thumbnail = {controls_.ThumbnailPanel && controls_.SaveThumbnail,
                       {controls_.ScaleThumbnail, ThumbnailSize, ThumbnailType}};
    store.Large = {controls_.LargePanel && controls_.SaveLarge,
                   {controls_.LargeScaleVisible && controls_.ScaleLarge, LargeSize, LargeType}};

    TImageSave::TPrepared prepared;
    try {
        prepared = TImageSave::Prepare(*request.Picture, store, ::Translation);
    } catch (const ECriticalTolvexException& error) {
        context.Services().Gui.ShowError(error.what(), false);
        return false;
    }
    TImageSave::TResult result;
    TDialogWriteChannel(context).CommitItems(reader.ItemsChangedBy(store), [&](TAbstractDBConnection& connection) {
        TImageSave save(services, connection);
        result = save.Write(store, prepared);
        return save.CreatedItems();
    });

    using editor_params::SetValue;
    SetValue(params, "Caption", nameField);
    SetValue(params, "AltFileName", result.Main.AltFileName);
    SetValue(params, "ImageItemId", std::to_string(result.Main.ItemId));
    SetValue(params, "ImageMimeType", result.Main.MimeType);
    SetValue(params, "ImageWidth", std::to_string(result.Main.Width));
    SetValue(params, "ImageHeight", std::to_string(result.Main.Height));
    SetValue(params, "ImageBytes", std::to_string(result.Main.Bytes));
    SetValue(params, "IsBackground", store.IsBackground ? "yes" : "no");
    for (const auto& [prefix, copy] : {std::pair{"Large", &result.Large}, std::pair{"Thumbnail", &result.Thumbnail}}) {
        if (!*copy)
            continue;
        const std::string key = prefix;
        SetValue(params, key + "ImageItemId", std::to_string((*copy)->ItemId));
        SetValue(params, key + "AltFileName", (*copy)->AltFileName);
        SetValue(params, key + "ImageMimeType", (*copy)->MimeType);
        SetValue(params, key + "ImageWidth", std::to_string((*copy)->Width));
        SetValue(params, key + "ImageHeight", std::to_string((*copy)->Height));
        SetValue(params, key + "ImageBytes", std::to_string((*copy)->Bytes));
    }
    if (controls_.HtmlPanel) {
        Html.Answer(context, params);
        SetValue(params, "PopupLarge", controls_.PopupLargeVisible && controls_.PopupLarge ? "yes" : "no");
    }
    return true;
}
