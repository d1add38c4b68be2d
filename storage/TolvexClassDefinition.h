#pragma once
// The definition of one object class, as the catalog description holds it:
// its members in their order, the kinds of values the class stores, the
// members' messages (label captions, hints) and the value lists of list
// members. Messages and value lists are read on first use and kept.
#include "storage/AbstractCClassDefinition.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class TClassMember;
class TDatabaseResolver;

class TTolvexClassDefinition : public TAbstractCClassDefinition {
public:
    // Class definitions are shared by every thread that makes objects (the
    // publishing workers too) and fill in what they read from the program's
    // databases on first use; this lock serialises those reads, the
    // connections they share and the caches they fill.
    static std::recursive_mutex& ReadLock();

    // Databases: where messages and value lists are read (not owned; may be
    // null for a definition that never reads them).
    TTolvexClassDefinition(int classId, std::string classXmlTag, TDatabaseResolver* databases = nullptr);
    ~TTolvexClassDefinition() override;
    TTolvexClassDefinition(const TTolvexClassDefinition&) = delete;
    TTolvexClassDefinition& operator=(const TTolvexClassDefinition&) = delete;

    int GetClassId() const override { return classId_; }
    std::string GetClassXmlTag() const override { return classXmlTag_; }
    // The class element with one element per member; list members carry
    // their list values, read afresh.
    void WriteXml(xmlDoc* doc, xmlNode* parent) override;
    // Appends a member (the class owns it) and notes the kind of value its
    // type stores.
    void AddMember(std::unique_ptr<TClassMember> member);
    bool HasStrings() const override { return hasStrings_; }
    bool HasNumbers() const override { return hasNumbers_; }
    bool HasDates() const override { return hasDates_; }
    bool HasTexts() const override { return hasTexts_; }
    bool HasBinary() const override { return hasBinary_; }
    int GetMemberType(int memberId) const override;
    std::uint8_t GetMemberFlags(int memberId) const override;
    int GetMemberId(const std::string& name) const override;
    int GetMemberIdByIndex(int index) const override;
    std::string GetMemberXmlTag(int memberId) const override;
    // The message of the language, else of "XXX", else of "EN".
    std::string GetMessage(int memberId, int messageType, const std::string& lang) override;
    std::string GetAdditionalText(int memberId) const override;
    std::string GetInitValue(int memberId) const override;
    int GetMemberCount() const override { return static_cast<int>(members_.size()); }
    // Always from the catalog description's list table, whatever the
    // member's own statement says.
    void FillListChoices(int memberId, const std::string& lang, std::vector<std::string>& list) override;
    // The text of the line Code-Lang, else of Code-XXX.
    std::string GetListText(int memberId, const std::string& lang, const std::string& code) override;
    const std::vector<std::string>& GetListValues(int memberId) override;
    std::string GetAddListText(int memberId, const std::string& lang, const std::string& code) override;
    const std::vector<std::string>& GetAddListValues(int memberId) override;

    // The member, or null when the class lacks it.
    const TClassMember* FindMember(int memberId) const;

private:
    TClassMember* Member(int memberId) const;
    TDatabaseResolver& Databases() const;
    // Reads the member's value lists into List and AddList.
    void ReadValueLists(const TClassMember& member, std::vector<std::string>& list,
                        std::vector<std::string>& addList) const;
    // The member with its value lists read, or null.
    TClassMember* MemberWithLists(int memberId);
    void LoadMessages();
    void WriteMemberXml(xmlNode* classElement, const TClassMember& member) const;

    int classId_;
    std::string classXmlTag_;
    TDatabaseResolver* databases_;
    std::vector<std::unique_ptr<TClassMember>> members_;
    bool hasStrings_ = false;
    bool hasTexts_ = false;
    bool hasNumbers_ = false;
    bool hasDates_ = false;
    bool hasBinary_ = false;
    // Lines MemberId-LangCode-MessageType=MessageValue.
    std::vector<std::string> messages_;
    bool messagesLoaded_ = false;
};
