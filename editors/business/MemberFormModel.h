#pragma once
// TMemberFormModel: a tab whose controls each show one member of the opened
// item's objects, as the hotel, room, restaurant and service tabs do. The
// fields are a table (TMemberField); the model reads them in the content
// language, keeps what the user typed as text or as a set of codes, and
// writes them back at index 0 when asked.
//
// Kinds: texts and memos as typed; whole numbers and amounts from what was
// typed (0 for a text that is none; amounts keep their decimals); Booleans
// as "1"/"0" (InvertedBoolean shows the opposite of the member); a choice as
// the code of its line (a number choice keeps a number); a multi choice as the codes ticked, in the order of
// the choices. A field whose object is missing shows empty and stores
// nothing.
#include "editors/site/SiteModelContext.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

class TAbstractCObject;

struct TMemberField {
    enum TKind { Text, Memo, Integer, Amount, Boolean, InvertedBoolean, Choice, MultiChoice, NumberChoice };
    struct TChoice {
        std::string Caption;
        std::string Code;
    };

    std::string Control;  // the control's object name, and the field's key
    std::string Caption;  // English; translated when shown
    std::string ClassTag;
    std::string Member;
    TKind Kind = Text;
    // Further members the value is written into (class tag, member), e.g. the company's name.
    std::vector<std::pair<std::string, std::string>> StoreAlso;
    // Shown from this member instead of the field's own (class tag, member); empty: the field's own.
    std::pair<std::string, std::string> ShowFrom;
    // Choices: the fixed lines when given, else the member's allowed values; First leads them.
    std::vector<TChoice> Choices;
    bool FirstChoice = false;
    TChoice First;
    // Choices are the reference currencies (name shown, code kept).
    bool Currencies = false;
    // Choices are the list values of that member of that class (class tag, member), sorted.
    std::pair<std::string, std::string> ChoicesOf;
    // Written without leading and trailing blanks.
    bool Trimmed = false;
    // Choices are the reference list of that number (its texts shown, its codes kept).
    int ReferenceList = 0;
    // A catalog property whose value is shown when the member has none (the default currency).
    int DefaultProperty = 0;
    // A multi choice that stands for every language: shown from the default
    // language where the content language has none, cleared in every language
    // when stored, and written in each language that held codes as well as in
    // the content language (so that a save in one language loses none).
    bool EveryLanguage = false;
    // Written only when the user changed it (a name, which renames the tree node).
    bool OnlyWhenChanged = false;
};

// A field of the kind showing the member of the class in the control; the
// other settings keep their defaults.
TMemberField MemberField(const char* control, const char* caption, const char* classTag, const char* member,
                         TMemberField::TKind kind = TMemberField::Text);

// Lines "code=text" as choices of caption text and code code (a line without
// "=" is both).
std::vector<TMemberField::TChoice> CodeTextChoices(const std::vector<std::string>& lines);
// The "code=text" lines of the allowed values of a member of the class of
// that tag, in Lang ("XXX": language-neutral); none for an unknown class.
std::vector<std::string> MemberListValues(const std::string& classTag, const std::string& member,
                                          const std::string& lang);

class TMemberFormModel {
public:
    TMemberFormModel(const TSiteModelContext& context, std::vector<TMemberField> fields);

    // The item whose objects are edited (the context's item by default).
    void SetItemId(int itemId) { itemId_ = itemId; }
    int ItemId() const { return itemId_; }
    const std::vector<TMemberField>& Fields() const { return fields_; }
    const TMemberField* Field(const std::string& control) const;

    // The lines of a choice field (first line, then the list), in the content language.
    std::vector<TMemberField::TChoice> Choices(const TMemberField& field) const;

    void Load();
    // Whether the field's object exists.
    bool HasObject(const std::string& control) const;
    const std::string& Value(const std::string& control) const;
    const std::vector<std::string>& Codes(const std::string& control) const;
    void SetValue(const std::string& control, const std::string& value);
    void SetCodes(const std::string& control, std::vector<std::string> codes);
    // Whether the user changed the field since the load.
    bool Changed(const std::string& control) const { return changed_.count(control) > 0; }
    // Writes every field whose object exists (only changed ones with OnlyChanged).
    void Store(bool onlyChanged = false);

    // The round-trip text of an amount member, or "" for none.
    static std::string AmountText(double value);

private:
    TAbstractCObject* Object(const std::string& classTag) const;
    void StoreField(const TMemberField& field);

    TSiteModelContext context_;
    std::vector<TMemberField> fields_;
    int itemId_;
    std::map<std::string, std::string> values_;
    std::map<std::string, std::vector<std::string>> codes_;
    std::set<std::string> changed_;
};
