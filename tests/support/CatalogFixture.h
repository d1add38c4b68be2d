#pragma once
// A catalog for tests: a real SQLite catalog database in a temporary folder
// (the catalog tables of TCatalogTables), opened through the SQLite module,
// standing in for the open catalog (TAbstractCatalog) with its code and
// languages, and an object context whose classes list holds the classes a
// test declares.
//
//   TCatalogFixture catalog;                       // code "shop", EN and DE, default EN
//   catalog.DeclareClass(10, "Product").Member(1, "Name", 1, mfIsMultiLang);
//   catalog.AddItem(1001, 200);                    // an Items row
//   TTolvexObjectFactory factory(catalog.Context());
#include "catalog/AbstractCatalog.h"
#include "storage/AbstractDBConnection.h"
#include "common/Variant.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/TolvexObjectContext.h"
#include "support/TempFolder.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class TAbstractDBConnectionFactory;

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
    bool HasStrings() const override { return HasType(1, 49); }
    bool HasNumbers() const override { return HasType(100, 199); }
    bool HasDates() const override { return HasType(200, 249); }
    bool HasTexts() const override { return HasType(50, 99); }
    bool HasBinary() const override { return HasType(250, 299); }
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

class TCatalogFixture : public TAbstractCatalog {
public:
    // Creates the database; the catalog counts as open (see Close).
    explicit TCatalogFixture(const std::string& catalogCode = "shop");
    ~TCatalogFixture() override;

    // ---- TAbstractCatalog ----------------------------------------------------
    TAbstractDBConnectionFactory& GetConnectionFactory() override;
    std::string GetCatalogCode() const override { return code_; }
    std::string GetDefaultLangCode() const override { return defaultLang_; }
    const std::vector<std::string>& GetLanguages() const override { return languages_; }
    bool HasLanguage(const std::string& langCode) const override;
    std::string GetCurrentLangCode() const override { return currentLang_; }

    // ---- set-up --------------------------------------------------------------
    TTolvexObjectContext& Context() { return *context_; }
    // The catalog's main connection (no unit of work).
    TAbstractDBConnection& Connection();
    // A further connection with a unit of work begun.
    std::unique_ptr<TAbstractDBConnection> OpenSecondConnection();
    const TTempFolder& Folder() const { return folder_; }

    // Languages (upper case) with the default; the current language becomes the default.
    void SetLanguages(const std::vector<std::string>& languages, const std::string& defaultLang);
    void SetCurrentLangCode(const std::string& lang) { currentLang_ = lang; }
    // The object model sees no open catalog after Close, and this one again after Reopen.
    void Close();
    void Reopen();

    TFixtureClass& DeclareClass(int classId, const std::string& classXmlTag);
    // An Items row; LinkedItemId 0 means the item's own id.
    void AddItem(int itemId, int itemType = 100, int parentItemId = 1, int linkedItemId = 0, bool notVisible = false);

    // Runs a statement with bound parameters on the main connection.
    void Exec(const std::string& sql, const std::vector<std::pair<std::string, TVariant>>& params = {});
    // The first field of the first row of a SELECT (Null when there is none).
    TVariant Scalar(const std::string& sql, const std::vector<std::pair<std::string, TVariant>>& params = {});
    // Rows of a table of this catalog that match a condition ("" for all).
    int Count(const std::string& table, const std::string& condition = "");

private:
    TTempFolder folder_;
    std::string code_;
    std::vector<std::string> languages_{"EN", "DE"};
    std::string defaultLang_ = "EN";
    std::string currentLang_ = "EN";
    std::map<int, std::unique_ptr<TFixtureClass>> classes_;
    std::unique_ptr<TAbstractDBConnectionFactory> factory_;
    std::unique_ptr<TTolvexObjectContext> context_;
};
