#include "common/CommonBinary.h"

#include "common/AtomicFile.h"

#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/MemberTypes.h"
#include "storage/QueryGuard.h"

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace common_detail;

std::optional<std::string> TCommonBinary::FieldBytes(const TVariant& field)
{
    switch (field.Kind()) {
    case TVariantKind::Null: return std::nullopt;
    case TVariantKind::Bytes: return field.AsBytes().data;
    case TVariantKind::Text: return field.AsText();
    default: throw EDeveloperTolvexException("The field holds no binary data");
    }
}

void TCommonBinary::SaveBlobToFile(const std::string& fileName, const TVariant& field)
{
    fs::path folder = fs::path(fileName).parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return;
    if (!WriteFileAtomically(fileName, FieldBytes(field).value_or(std::string())))
        throw ECriticalTolvexException("The file \"" + fileName + "\" cannot be written");
}

void TCommonBinary::AddNamesAfterMarker(const std::string& catalogCode, const std::string& marker,
                                        const std::string& skipNext, std::vector<std::string>& list,
                                        TAbstractDBConnection& connection)
{
    TQueryGuard query(connection);
    query->SetSQL("SELECT TextValue FROM CText WHERE CatalogCode = :CatalogCode AND (MemberType = " +
                  std::to_string(kSourceMemberType) + " OR MemberType = " + std::to_string(kHtmlMemberType) +
                  ") AND TextValue LIKE :TextValue");
    query->SetParam("CatalogCode", catalogCode);
    query->SetParam("TextValue", "%" + marker + "%");
    const std::string lowerMarker = LowerCase(marker);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
        const TVariant value = rows.Field("TextValue");
        if (value.Kind() != TVariantKind::Text)
            continue;
        // Found in any case, as the query's LIKE finds the texts.
        const std::string lower = LowerCase(value.AsText());
        for (std::size_t at = lower.find(lowerMarker); at != std::string::npos; at = lower.find(lowerMarker, at + 1)) {
            const std::size_t start = at + lowerMarker.size();
            if (start >= lower.size() || skipNext.find(lower[start]) != std::string::npos)
                continue;
            const std::size_t dot = lower.find('.', start);
            if (dot != std::string::npos && dot > start)
                list.push_back(value.AsText().substr(start, dot - start));
        }
    }
}

void TCommonBinary::GetUsedBinaryIds(const std::string& catalogCode, std::vector<std::string>& list,
                                     TAbstractDBConnection& connection)
{
    AddNamesAfterMarker(catalogCode, "../bin/", "", list, connection);
}
