#pragma once
// The four classification code systems an item can be classified under:
// where each keeps its codes (reference table and columns) and where an item
// stores the codes it was given (class tag and member).
#include <string>

enum class TCodeSystem { Unspsc, Harmonized, EBay, Zarivuro };

struct TCodeSystemInfo {
    const char* Table;       // the reference table
    const char* NameColumn;  // the column with a code's name, searched by keywords
    const char* ClassTag;    // the class of an item's object holding its codes
    const char* Member;      // the multi-valued member of that class
    // UNSPSC and Harmonized codes are texts of two-character parts (Levels
    // of them); eBay and partner codes are category ids (Levels 0: as deep
    // as the data).
    bool Numeric;
    int Levels;
};

const TCodeSystemInfo& CodeSystemInfo(TCodeSystem system);

// The system an editor of the given name shows (compared in lower case):
// "unsp" UNSPSC, else "ebay" eBay, else "zarivuro" the partner categories,
// else Harmonized.
TCodeSystem CodeSystemOfEditor(const std::string& editorName);
// Whether the editor edits the company's own list (its name holds "company").
bool IsCompanyCodesEditor(const std::string& editorName);

// The text of a code part that stands for "below this node": "00" for
// UNSPSC, empty for Harmonized.
std::string UnsetCodePart(TCodeSystem system);

// The two characters of a code's part Part (0 the first); empty past its end.
std::string CodePart(const std::string& code, int part);

// The level (0 for the top) of a UNSPSC or Harmonized code: the number of
// its leading parts that are set, less one ("10000000" 0, "10101500" 2;
// Harmonized parts below the level are empty: "4802" 1). -1 for a code that
// sets no part.
int CodeLevel(TCodeSystem system, const std::string& code);
// The level of a code written as the system writes its codes (its parts
// below the level unset: "10101500" 2); -1 for any other text (a part set
// below one left unset, "10001500", or no part set).
int WrittenCodeLevel(TCodeSystem system, const std::string& code);
// The code of the ancestor on Level (the parts below it unset); the code
// itself when it is on that level or above.
std::string AncestorCode(TCodeSystem system, const std::string& code, int level);
