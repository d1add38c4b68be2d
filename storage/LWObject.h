#pragma once
// A light-weight object writer: one object instance of an item of the catalog
// being converted, with its member values. The instance row is written when
// the writer is made, each value when it is set, through the current data
// access. An object of a class the classes list does not know (and every
// sub-object of it) writes nothing.
//
// As everywhere in a catalog, an empty text and a number equal to 0 are not
// stored; a member that is not language-dependent stores its values under
// "XXX".
#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <string>

class TAbstractCClassDefinition;
class TAbstractRecordset;
class TOldLangInfo;
class TVariant;

class TLWObject {
public:
    // An object of a known class whose instance row is (to be) written.
    TLWObject(int itemId, int parentInstanceId, int classId, int instanceId, const TOldLangInfo* languageInfo);
    // An object of an unknown class: it writes nothing.
    static std::unique_ptr<TLWObject> Unstored(const TOldLangInfo* languageInfo);

    int ItemId = 0;            // the data item the object belongs to
    int ParentInstanceId = 0;  // 0 for a top-level object
    int ClassId = 0;
    int InstanceId = 0;
    // The old catalog's data languages; shared, not owned.
    const TOldLangInfo* LanguageInfo = nullptr;

    // A sub-object of the class with that XML tag, with a new instance id
    // and this object as parent instance; written at once.
    std::unique_ptr<TLWObject> AddSubObject(const std::string& classXmlTag) const;
    // Writes the whole content of Stream to the binary member of that tag;
    // false for an unknown or non-binary member and for an empty stream. A
    // language-dependent member takes LangCode or, when it is empty, the old
    // catalog's default language.
    bool SetBinary(std::istream& stream, const std::string& mimeType, const std::string& langCode, int index,
                   const std::string& memberTag);
    // Writes the field FieldName of the data set's current row to the member
    // of that tag (numbers for numeric members, trimmed text otherwise). A
    // language-dependent member takes, for each data language in use, the
    // field FieldName, FieldName + "Lang2", FieldName + "Lang3" (the base
    // field when the data set lacks that one). A non-language field missing
    // from the data set raises. True when anything was written.
    bool SetFromField(const TAbstractRecordset& dataSet, const std::string& fieldName, int index,
                      const std::string& memberTag);
    // Writes Text to the member of that tag; numeric members take it as a
    // number ("." as decimal separator, 0 when it is none) and write nothing
    // for 0. An unknown member writes nothing. Returns true.
    bool SetValue(const std::string& text, int index, const std::string& langCode, const std::string& memberTag);

    // The class definition, looked up on first need; null for an unknown class.
    TAbstractCClassDefinition* ClassDefinition();

private:
    struct TMember {
        int Id = 0;
        int Type = 0;
        std::uint8_t Flags = 0;
        bool IsMultiLang() const;
    };

    TLWObject() = default;

    bool IsStored() const { return ClassId != 0; }
    std::optional<TMember> FindMember(const std::string& memberTag);
    const TOldLangInfo& Languages() const;
    bool WriteFieldValue(const TMember& member, const TVariant& value, int index, const std::string& langCode);

    TAbstractCClassDefinition* definition_ = nullptr;
    bool definitionLookedUp_ = false;
};
