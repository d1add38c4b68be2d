#pragma once
// A class definition declared by a test or a benchmark, in place of one read
// from the catalog description:
//
//   TFixtureClass product(10, "Product");
//   product.Member(1, "Name", 1, mfIsMultiLang).Member(101, "Stock", 101);
#include "common/MemberTypes.h"
#include "storage/AbstractCClassDefinition.h"

#include <cstdint>
#include <string>
#include <vector>

// A class definition declared by a test: members with their types, flags,
// initial values, additional texts and list values.
class TFixtureClass : public TAbstractCClassDefinition {
public:
    TFixtureClass(int classId, std::string classXmlTag);

    // Adds a member (in definition order); returns the class for chaining.
    TFixtureClass& Member(int memberId, const std::string& tag, int type, std::uint8_t flags = 0,
                          const std::string& initValue = "", const std::string& additionalText = "");
    // A list value of a member: Code in Lang ("XXX" for every language) shows Text.
    TFixtureClass& ListValue(int memberId, const std::string& code, const std::string& lang,
                             const std::string& text, const std::string& addText = "");

    int GetClassId() const override { return classId_; }
    std::string GetClassXmlTag() const override { return tag_; }
    void WriteXml(xmlDoc*, xmlNode*) override {}
    bool HasStrings() const override { return HasType(kFirstStringMemberType, kLastStringMemberType); }
    bool HasNumbers() const override { return HasType(kFirstIntegerMemberType, kLastFloatMemberType); }
    bool HasDates() const override { return HasType(kFirstDateMemberType, kLastDateMemberType); }
    bool HasTexts() const override { return HasType(kFirstTextMemberType, kLastTextMemberType); }
    bool HasBinary() const override { return HasType(kFirstBinaryMemberType, kLastBinaryMemberType); }
    int GetMemberType(int memberId) const override;
    std::uint8_t GetMemberFlags(int memberId) const override;
    int GetMemberId(const std::string& name) const override;
    int GetMemberIdByIndex(int index) const override;
    std::string GetMemberXmlTag(int memberId) const override;
    std::string GetMessage(int, int, const std::string&) override { return {}; }
    std::string GetAdditionalText(int memberId) const override;
    std::string GetInitValue(int memberId) const override;
    int GetMemberCount() const override { return static_cast<int>(members_.size()); }
    void FillListChoices(int memberId, const std::string& lang, std::vector<std::string>& list) override;
    std::string GetListText(int memberId, const std::string& lang, const std::string& code) override;
    const std::vector<std::string>& GetListValues(int memberId) override;
    std::string GetAddListText(int memberId, const std::string& lang, const std::string& code) override;
    const std::vector<std::string>& GetAddListValues(int memberId) override;

private:
    struct TMember {
        int id = 0;
        std::string tag;
        int type = 0;
        std::uint8_t flags = 0;
        std::string initValue;
        std::string additionalText;
        // Lines "code-lang=text".
        std::vector<std::string> listValues;
        std::vector<std::string> addListValues;
    };
    const TMember* Find(int memberId) const;
    bool HasType(int low, int high) const;
    static std::string LineValue(const std::vector<std::string>& lines, const std::string& name);

    int classId_;
    std::string tag_;
    std::vector<TMember> members_;
    std::vector<std::string> none_;
};
