#pragma once
// TFrameInitEditorModel: the initial settings of a new catalog without
// widgets: company name, country, default currency and the catalog's
// language. It counts as modified from the start, so that OK always saves
// the values shown; saving also marks the initial settings done (property
// 707 "yes").
#include "editors/site/SiteDatabaseWrites.h"
#include "editors/site/SiteModelContext.h"

#include <string>
#include <utility>
#include <vector>

class TFrameInitEditorModel {
public:
    // Caption and code.
    using TChoices = std::vector<std::pair<std::string, std::string>>;
    // The languages a catalog may have; WithUnspecified adds the references'
    // "(Not specified)" (code "XXX").
    static TChoices LanguageChoices(bool withUnspecified = false);
    static TChoices CurrencyChoices();
    static TChoices CountryChoices();
    // The dialog's size.
    static constexpr int kPreferredWidth = 360;
    static constexpr int kPreferredHeight = 340;

    explicit TFrameInitEditorModel(const TSiteModelContext& context)
        : context_(context), writes_(TSiteDatabaseWrites::Direct(context))
    {
    }
    // Where the properties are read and written (straight on the connection by default).
    void UseWrites(const TSiteDatabaseWrites& writes) { writes_ = writes; }

    void Load();
    std::string Language() const { return language_; }
    std::string Currency() const { return currency_; }
    std::string Country() const { return country_; }
    std::string CompanyName() const { return companyName_; }
    void SetLanguage(const std::string& code) { language_ = code; }
    void SetCurrency(const std::string& code) { currency_ = code; }
    void SetCountry(const std::string& code) { country_ = code; }
    void SetCompanyName(const std::string& name) { companyName_ = name; }
    bool IsModified() const { return true; }

    // Writes the company's name and country, properties 707 and 706 and the
    // language; true: the catalog must read its languages again after the
    // save (the context's refresh flag bit 0).
    bool Store();

private:
    TSiteModelContext context_;
    TSiteDatabaseWrites writes_;
    std::string language_, currency_, country_, companyName_;
};
