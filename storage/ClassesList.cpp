#include "storage/ClassesList.h"

#include "common/ClassMember.h"
#include "common/CommonFunctionsDetail.h"
#include "storage/DatabaseResolver.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <algorithm>

namespace {

// Compares two texts without regard to ASCII letter case: negative, 0 or positive.
int CompareText(const std::string& a, const std::string& b)
{
    const std::size_t length = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char x = static_cast<unsigned char>(common_detail::LowerAscii(a[i]));
        const unsigned char y = static_cast<unsigned char>(common_detail::LowerAscii(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareClassTag(const TTolvexClassDefinition& entry, const std::string& tag)
{
    return CompareText(entry.GetClassXmlTag(), tag);
}

TTolvexClassDefinition* FindById(const TTolvexObjectList<TTolvexClassDefinition>& classes, int classId)
{
    for (const auto& definition : classes.Items())
        if (definition->GetClassId() == classId)
            return definition.get();
    return nullptr;
}

// The flag columns of a member row and the flag each one sets.
struct TFlagColumn {
    const char* column;
    std::uint8_t flag;
};
const TFlagColumn kFlagColumns[] = {
    {"IsRequired", mfIsRequired},     {"IsList", mfIsList},
    {"IsOnlyList", mfIsOnlyList},     {"IsMultiple", mfIsMultiple},
    {"IsUniqueInArray", mfIsUniqueInArray}, {"IsMultiLang", mfIsMultiLang},
    {"UseDefLangForNull", mfUseDefLangForNull},
};

// A flag column counts only when it holds exactly 1.
bool HoldsOne(const TVariant& value)
{
    switch (value.Kind()) {
    case TVariantKind::Integer: return value.AsInteger() == 1;
    case TVariantKind::Float: return value.AsFloat() == 1.0;
    case TVariantKind::Boolean: return value.AsBoolean();
    case TVariantKind::Text: return value.AsText() == "1";
    default: return false;
    }
}

std::unique_ptr<TClassMember> MemberOfRow(const TAbstractRecordset& rows)
{
    auto member = std::make_unique<TClassMember>();
    member->ClassId = FieldInteger(rows, "ClassId");
    member->MemberId = FieldInteger(rows, "MemberId");
    member->MemberType = FieldInteger(rows, "MemberType");
    member->Additional = FieldInteger(rows, "Additional");
    member->MemberXmlTag = FieldText(rows, "MemberXmlTag");
    member->Description = FieldText(rows, "Description");
    member->InitValue = FieldText(rows, "InitValue");
    member->AdditionalText = FieldText(rows, "AdditionalText");
    member->SqlText = FieldText(rows, "SqlText");
    for (const TFlagColumn& flag : kFlagColumns)
        if (HoldsOne(rows.Field(flag.column)))
            member->Flags |= flag.flag;
    return member;
}

}  // namespace

TClassesList::TClassesList(TDatabaseResolver& databases) : databases_(databases) {}

int TClassesList::GetClassId(const std::string& classXmlTag)
{
    if (!loaded_)
        LoadClasses();
    const TTolvexClassDefinition* definition =
        classes_.FindSorted<std::string>(CompareClassTag, classXmlTag);
    return definition ? definition->GetClassId() : 0;
}

TTolvexClassDefinition* TClassesList::GetClassDefinition(int classId)
{
    if (!loaded_)
        LoadClasses();
    return FindById(classes_, classId);
}

void TClassesList::LoadClasses()
{
    if (loaded_)
        return;
    std::lock_guard<std::recursive_mutex> hold(TTolvexClassDefinition::ReadLock());
    if (loaded_)
        return;
    TTolvexObjectList<TTolvexClassDefinition> classes;
    ReadClasses(classes);
    ReadMembers(classes);
    classes_ = std::move(classes);
    loaded_ = true;
}

void TClassesList::ReadClasses(TTolvexObjectList<TTolvexClassDefinition>& classes)
{
    TQueryGuard query(databases_.ConnectionFor(kCatalogsPrefix));
    query->SetSQL("SELECT * FROM GlobalClasses");
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        classes.Add(std::make_unique<TTolvexClassDefinition>(FieldInteger(rows, "ClassId"),
                                                             FieldText(rows, "ClassXmlTag"), &databases_));
    std::stable_sort(classes.Items().begin(), classes.Items().end(), [](const auto& a, const auto& b) {
        return CompareText(a->GetClassXmlTag(), b->GetClassXmlTag()) < 0;
    });
}

void TClassesList::ReadMembers(TTolvexObjectList<TTolvexClassDefinition>& classes)
{
    TQueryGuard query(databases_.ConnectionFor(kCatalogsPrefix));
    query->SetSQL("SELECT a.* FROM GlobalClassMembers a WHERE a.ClassId IN "
                  "(SELECT b.ClassId FROM GlobalClasses b) ORDER BY a.ClassId, a.OrderNum");
    TTolvexClassDefinition* definition = nullptr;
    bool first = true;
    int previousClassId = 0;
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
        std::unique_ptr<TClassMember> member = MemberOfRow(rows);
        if (first || member->ClassId != previousClassId)
            definition = FindById(classes, member->ClassId);
        first = false;
        previousClassId = member->ClassId;
        if (definition)
            definition->AddMember(std::move(member));
    }
}
