#include "generation/PreviewResolver.h"

#include "common/CommonBinary.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "common/ParamList.h"
#include "generation/PreviewSource.h"
#include "storage/AbstractDBQuery.h"
#include "storage/CatalogTables.h"
#include "storage/MemberValueText.h"
#include "storage/QueryGuard.h"

#include <array>
#include <sstream>

using common_detail::LowerCase;
using common_detail::SameText;

namespace {

constexpr int kImageClassId = 5;
constexpr int kBinaryObjectClassId = 304;
constexpr int kBinaryObjectDataMemberId = 2;
constexpr int kStyleSheetClassId = 504;
constexpr int kScriptClassId = 506;
constexpr int kStyleTextMemberId = 1;
constexpr int kSourceReferenceClassId = 7;
constexpr int kSourceReferenceMemberId = 1;
// Images of the style catalog have ids below this; other catalogs' images above.
constexpr int kStyleImageIdLimit = 999999;

using TStatus = TPreviewResponse::TStatus;

TPreviewResponse Served(std::string mimeType, std::string body)
{
    return {TStatus::Served, std::move(mimeType), std::move(body)};
}

TPreviewResponse NotFound()
{
    return {TStatus::NotFound, {}, {}};
}

TPreviewResponse PassOn()
{
    return {TStatus::PassOn, {}, {}};
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Text cut at its first "?" and then at its first "#".
std::string CutQueryAndFragment(std::string text)
{
    text.erase(std::min(text.find('?'), text.size()));
    text.erase(std::min(text.find('#'), text.size()));
    return text;
}

// Text cut before its last "?" or "#", whichever comes last.
std::string CutBeforeLastQueryOrFragment(std::string text)
{
    text.erase(std::min(text.find_last_of("?#"), text.size()));
    return text;
}

bool IsDecimal(const std::string& text)
{
    if (text.empty() || text.size() > 9)
        return false;
    for (char c : text)
        if (!common_detail::IsAsciiDigit(c))
            return false;
    return true;
}

// A path segment decoded; nothing when it is "." or "..", or names a path
// or a device of its own once decoded.
std::optional<std::string> DecodeSegment(const std::string& segment)
{
    std::string decoded = TParamList::UrlDecode(segment);
    if (decoded == "." || decoded == ".." || decoded.find_first_of(std::string("/\\\0", 3)) != std::string::npos)
        return std::nullopt;
    return decoded;
}

// The first row's field of a statement with :CatalogCode bound (and
// :LangCode or :Value where the statement has them); nothing without a row.
std::optional<TVariant> FirstField(TAbstractDBConnection& connection, const std::string& sql,
                                   const std::string& catalogCode, const std::string& field,
                                   const std::vector<std::pair<std::string, std::string>>& params = {})
{
    TQueryGuard query(connection);
    query->SetSQL(sql);
    query->SetParam("CatalogCode", catalogCode);
    for (const auto& [name, value] : params)
        query->SetParam(name, value);
    TAbstractRecordset& rows = query->Open(true);
    if (rows.Eof())
        return std::nullopt;
    return rows.Field(field);
}

std::string BytesOf(const TVariant& field)
{
    return TCommonBinary::FieldBytes(field).value_or(std::string());
}

}  // namespace

bool TPreviewResolver::IsPageExtension(const std::string& dottedExtension)
{
    static constexpr std::array<const char*, 5> kPageExtensions = {".html", ".jsp", ".php", ".asp", ".shtml"};
    for (const char* extension : kPageExtensions)
        if (SameText(dottedExtension, extension))
            return true;
    return false;
}

TPreviewResolver::TPreviewResolver(TPreviewSource& source, const TPreviewContentHooks& hooks)
    : source_(source), hooks_(hooks)
{
}

TPreviewResponse TPreviewResolver::Resolve(const TPreviewRequest& request)
{
    std::string url = request.Scheme + "://" + request.Host + request.Path;
    if (!request.Query.empty())
        url += "?" + request.Query;
    return Resolve(url);
}

TPreviewResponse TPreviewResolver::Resolve(const std::string& url)
{
    try {
        return ResolveAddress(url);
    } catch (const ETolvexException&) {
        // A failing query or a malformed escape: the browser gets no content.
        return NotFound();
    }
}

TPreviewResponse TPreviewResolver::ResolveAddress(const std::string& url)
{
    if (std::optional<std::string> content = hooks_.Ask(url)) {
        const std::string mimeType = Contains(url, ".htm")
                                         ? std::string("text/html")
                                         : TCommonFunctions::GetMimeTypeByFileName(
                                               TCommonFunctions::GetFileNameFromUrl(url));
        return Served(mimeType, std::move(*content));
    }
    if (!source_.IsOpen())
        return PassOn();

    TDataSource data = DataSource();
    std::string path;
    const THostKind kind = HostOf(url, path);
    if (!data.Connection)
        return kind == THostKind::Other ? PassOn() : NotFound();
    if (kind == THostKind::Other) {
        std::optional<TPreviewResponse> stored = ServeBySourceUrl(CutQueryAndFragment(url), data);
        return stored ? *stored : PassOn();
    }

    if (kind == THostKind::Preview && !TakeMemberCatalog(path, data))
        return NotFound();

    const std::string cleanPath = CutQueryAndFragment(path);
    const std::optional<TPreviewPath> parts = SplitPath(cleanPath);
    if (!parts)
        return NotFound();
    if (parts->File == "stylepreview.jsp")
        return ServePage(kStylePreviewPageId, 0, parts->Folder);

    if (IsPageExtension("." + parts->Extension)) {
        int pageNo = 0;
        const int itemId = FindPageItem(*parts, data, pageNo);
        if (itemId != 0)
            return ServePage(itemId, pageNo, parts->Folder);
        std::optional<TPreviewResponse> stored = ServeBySourceUrl(CutQueryAndFragment(url), data);
        return stored ? *stored : PassOn();
    }

    std::optional<TPreviewResponse> resource =
        kind == THostKind::StylePreview ? ServeStyleHostResource(*parts, data) : ServeResource(*parts, data);
    return resource ? *resource : NotFound();
}

bool TPreviewResolver::TakeMemberCatalog(std::string& path, TDataSource& data)
{
    std::size_t codeStart = 0;
    if (path.rfind("/c#", 0) == 0)
        codeStart = 3;
    else if (path.size() >= 5 && SameText(path.substr(0, 5), "/c%23"))
        codeStart = 5;
    if (codeStart == 0)
        return true;
    const std::size_t codeEnd = std::min(path.find('/', codeStart), path.size());
    const std::string member = TParamList::UrlDecode(path.substr(codeStart, codeEnd - codeStart));
    data.CatalogCode = "c#" + member;
    if (member.empty() || !source_.CatalogExists(data.CatalogCode, *data.Connection))
        return false;
    path.erase(0, codeEnd);
    return true;
}

TPreviewResolver::THostKind TPreviewResolver::HostOf(const std::string& url, std::string& path)
{
    // The host address must be followed by the path (or nothing), so that
    // one host name that begins another is not taken for it.
    const auto startsWithHost = [&url, &path](const std::string& host) {
        if (host.empty() || url.size() < host.size() || !SameText(url.substr(0, host.size()), host))
            return false;
        const std::string rest = url.substr(host.size());
        if (!rest.empty() && rest[0] != '/' && rest[0] != '?' && rest[0] != '#')
            return false;
        path = rest;
        return true;
    };
    if (startsWithHost(source_.GetPreviewHostAddress()))
        return THostKind::Preview;
    if (startsWithHost(source_.GetStylePreviewHostAddress()))
        return THostKind::StylePreview;
    return THostKind::Other;
}

TPreviewResolver::TDataSource TPreviewResolver::DataSource()
{
    if (source_.IsStylePreview())
        return {source_.GetStylePreviewCode(), source_.GetDefinitionConnection()};
    return {source_.GetCatalogCode(), &source_.GetCurrentConnection()};
}

std::optional<TPreviewResolver::TPreviewPath> TPreviewResolver::SplitPath(const std::string& path)
{
    // "//" right after the host would make the rest an absolute path.
    if (path.rfind("//", 0) == 0 || path.rfind("/\\", 0) == 0)
        return std::nullopt;
    std::vector<std::string> segments;
    std::size_t start = path.empty() || path[0] != '/' ? 0 : 1;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find_first_of("/\\", start), path.size());
        std::optional<std::string> segment = DecodeSegment(path.substr(start, end - start));
        if (!segment)
            return std::nullopt;
        segments.push_back(std::move(*segment));
        start = end + 1;
    }
    TPreviewPath parts;
    parts.File = segments.back();
    if (segments.size() >= 2)
        parts.Folder = segments[segments.size() - 2];
    const std::size_t dot = parts.File.rfind('.');
    if (dot != std::string::npos) {
        parts.Base = parts.File.substr(0, dot);
        parts.Extension = parts.File.substr(dot + 1);
    }
    return parts;
}

// ---- pages ------------------------------------------------------------------------------

int TPreviewResolver::FindPageItem(const TPreviewPath& path, const TDataSource& data, int& pageNo)
{
    pageNo = 0;
    // Every "index" name is the home page; a page number after it is not read.
    if (Contains(path.File, "index") && (Contains(path.File, "index.") || Contains(path.File, "index-")))
        return FindItemByName(std::to_string(source_.GetHomePageId()), data);

    // "-" and a number at the end is a page number. A name whose part after
    // the "-" is no number, or whose part before it names no item, is a
    // name of its own ("about-us", "summer-2024").
    const std::string& name = path.Base;
    const std::size_t dash = name.rfind('-');
    if (dash != std::string::npos && dash > 0 && IsDecimal(name.substr(dash + 1))) {
        const int itemId = FindItemByName(name.substr(0, dash), data);
        if (itemId != 0) {
            pageNo = TMemberValueText::ReadInteger(name.substr(dash + 1));
            return itemId;
        }
    }
    return FindItemByName(name, data);
}

int TPreviewResolver::FindItemByName(const std::string& name, const TDataSource& data)
{
    int itemId = TMemberValueText::ReadInteger(name);
    if (itemId != 0 && source_.ItemExists(itemId, data.CatalogCode, *data.Connection))
        return itemId;
    itemId = source_.FindItemByAltFileName(name, *data.Connection, data.CatalogCode);
    // The item being edited is shown in its own place of the tree.
    if (itemId != 0 && data.CatalogCode == source_.GetCatalogCode()) {
        const std::optional<TPreviewSource::TEditedItem> edited = source_.GetEditedItem();
        if (edited && edited->LinkedItemId == itemId)
            itemId = edited->TreeItemId;
    }
    return itemId;
}

TPreviewResponse TPreviewResolver::ServePage(int itemId, int pageNo, const std::string& langCode)
{
    return Served("text/html", source_.GetTransformResult(itemId, pageNo, langCode));
}

// ---- resources ------------------------------------------------------------------------------

std::optional<TPreviewResponse> TPreviewResolver::ServeStyleHostResource(const TPreviewPath& path,
                                                                        const TDataSource& data)
{
    const int number = TMemberValueText::ReadInteger(path.Base);
    const bool styleOnly = SameText(path.Extension, "css") || SameText(path.Extension, "js") ||
                           (number >= 1 && number <= kStyleImageIdLimit);
    if (TAbstractDBConnection* styleConnection = source_.GetDefinitionConnection()) {
        if (std::optional<TPreviewResponse> found =
                ServeResource(path, {source_.GetStyleCatalogCode(), styleConnection}))
            return found;
    }
    if (styleOnly)
        return std::nullopt;
    return ServeResource(path, data);
}

std::optional<TPreviewResponse> TPreviewResolver::ServeResource(const TPreviewPath& path, const TDataSource& data)
{
    enum class TKind { Image, BinaryObject, StyleSheet, Script };
    const std::string ext = LowerCase(path.Extension);
    const std::string folder = LowerCase(path.Folder);
    TKind kind;
    if (ext == "jpg")
        kind = TKind::Image;
    else if (folder == "bin")
        kind = TKind::BinaryObject;
    else if (ext == "jpeg" || ext == "gif" || ext == "bmp" || folder == "images")
        kind = TKind::Image;
    else if (ext == "css")
        kind = TKind::StyleSheet;
    else if (ext == "js")
        kind = TKind::Script;
    else
        return std::nullopt;

    TAbstractDBConnection& connection = *data.Connection;
    int itemId = TMemberValueText::ReadInteger(path.Base);
    if (itemId == 0)
        itemId = source_.FindItemByAltFileName(path.Base, connection, data.CatalogCode);
    if (itemId == 0)
        return std::nullopt;

    const std::string mimeType = TCommonFunctions::GetMimeTypeByFileName(path.File);
    const std::string id = std::to_string(itemId);
    switch (kind) {
    case TKind::Image: {
        std::ostringstream bytes;
        std::int64_t size = 0;
        std::string storedType;
        if (!TCommonImages::LoadImageToStream(data.CatalogCode, itemId, bytes, size, storedType, connection))
            return std::nullopt;
        return Served(mimeType, bytes.str());
    }
    case TKind::BinaryObject: {
        const std::optional<TVariant> blob = FirstField(
            connection,
            "SELECT DataBlob FROM CBinary WHERE CatalogCode = :CatalogCode AND ClassId = " +
                std::to_string(kBinaryObjectClassId) + " AND MemberId = " +
                std::to_string(kBinaryObjectDataMemberId) + " AND ItemId = " + id + " ORDER BY InstanceId, IndexId",
            data.CatalogCode, "DataBlob");
        if (!blob)
            return std::nullopt;
        return Served(mimeType, BytesOf(*blob));
    }
    case TKind::StyleSheet:
    case TKind::Script: {
        const int classId = kind == TKind::StyleSheet ? kStyleSheetClassId : kScriptClassId;
        const std::optional<TVariant> text = FirstField(
            connection,
            "SELECT TextValue FROM CText WHERE CatalogCode = :CatalogCode AND ItemId = " + id +
                " AND ClassId = " + std::to_string(classId) + " AND MemberId = " +
                std::to_string(kStyleTextMemberId) + " AND LangCode = :LangCode ORDER BY InstanceId, IndexId",
            data.CatalogCode, "TextValue", {{"LangCode", kNoLanguageCode}});
        if (!text)
            return std::nullopt;
        return Served(mimeType, TCommonFunctions::VariantToString(*text));
    }
    }
    return std::nullopt;
}

std::optional<TPreviewResponse> TPreviewResolver::ServeBySourceUrl(const std::string& url, const TDataSource& data)
{
    const std::string source = CutBeforeLastQueryOrFragment(url);
    TAbstractDBConnection& connection = *data.Connection;
    const std::optional<TVariant> item = FirstField(
        connection,
        "SELECT ItemId FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = " +
            std::to_string(kSourceReferenceClassId) + " AND MemberId = " + std::to_string(kSourceReferenceMemberId) +
            " AND StringValue = :Value",
        data.CatalogCode, "ItemId", {{"Value", source}});
    if (!item)
        return std::nullopt;
    const int itemId = TMemberValueText::ReadInteger(TCommonFunctions::VariantToString(*item));
    TQueryGuard query(connection);
    query->SetSQL("SELECT DataBlob, DataMimeType FROM CBinary WHERE CatalogCode = :CatalogCode AND ItemId = " +
                  std::to_string(itemId));
    query->SetParam("CatalogCode", data.CatalogCode);
    TAbstractRecordset& rows = query->Open(true);
    if (rows.Eof())
        return std::nullopt;
    std::string mimeType = TCommonFunctions::VariantToString(rows.Field("DataMimeType"));
    if (mimeType.empty())
        mimeType = TCommonFunctions::GetMimeTypeByFileName(TCommonFunctions::GetFileNameFromUrl(source));
    return Served(mimeType, BytesOf(rows.Field("DataBlob")));
}
