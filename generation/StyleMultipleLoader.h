#pragma once
// The long operation that applies the current style of every member
// catalog of the open catalog network (items of type 5002 whose
// "CoCMember" object names the member's catalog code). Each member listed in
// the catalog list is opened by its database file and handled in one unit
// of work of its own: its style items are brought up to its type's
// definition, the style that matches it best is found and that style's
// included items are copied in with the member's own colour, font and
// background, and its default templates are kept. One failing member is
// logged and the next one follows; none ends the operation in success
// over a failure unnoticed: every failure has its line in the log.
#include "generation/StyleOperation.h"

#include <string>

class TCatalog;
class TStyleManager;
class TTranslation;

class TStyleMultipleLoader : public TStyleOperation {
public:
    // Not owned; all must outlive the operation. Translation may be null.
    TStyleMultipleLoader(TStyleManager& manager, TCatalog& catalog, const TTranslation* translation);

    bool Execute(TRun& run) override;
    std::string GetText(int kind) const override;

    // The number of members that could not be handled in the last run.
    int ErrorCount() const { return errors_; }

private:
    std::string Format(const std::string& text, const std::string& arg) const;
    // Applies the style of one member; false (logged) when it failed.
    bool ApplyToMember(const std::string& code, const std::string& databaseFile, TRun& run);

    TStyleManager& manager_;
    TCatalog& catalog_;
    const TTranslation* translation_;
    int errors_ = 0;
};
