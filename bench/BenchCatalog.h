#pragma once
// The open catalog of the benchmarks: code "bench" over a given database,
// with its languages. The catalog-level operations are not measured and
// raise when called.
#include "storage/AbstractCatalog.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

class TBenchCatalog : public TAbstractCatalog {
public:
    TBenchCatalog(TAbstractDBConnectionFactory& factory, std::vector<std::string> languages)
        : factory_(factory), languages_(std::move(languages))
    {
    }
    TAbstractDBConnectionFactory& GetConnectionFactory() override { return factory_; }
    std::string GetCatalogCode() const override { return "bench"; }
    std::string GetDefaultLangCode() const override { return languages_.front(); }
    const std::vector<std::string>& GetLanguages() const override { return languages_; }
    bool HasLanguage(const std::string& lang) const override
    {
        return lang == "XXX" || std::find(languages_.begin(), languages_.end(), lang) != languages_.end();
    }
    std::string GetCurrentLangCode() const override { return languages_.front(); }
    bool IsMultilingual() const override { return languages_.size() > 1; }
    int GetCatalogType() const override { return 1; }
    void LoadLanguages(TAbstractDBConnection&) override {}
    void Close() override {}

    void UpgradeStyles(TAbstractDBConnection&, TAbstractDBConnection&) override { Unused(); }
    bool ApplyIncludedStyles(int, TAbstractDBConnection&, TAbstractDBConnection&, const std::string&) override
    {
        Unused();
    }
    std::string GetCatalogProperty(int, TAbstractDBConnection&) override { Unused(); }
    void SetCatalogProperty(int, const std::string&, TAbstractDBConnection&) override { Unused(); }
    int GetDefaultTemplateId(int, TAbstractDBConnection&) override { Unused(); }
    void ListDefaultTemplateIds(std::vector<std::string>&, TAbstractDBConnection&) override { Unused(); }
    void MakeDefaultTemplate(int, TAbstractDBConnection&) override { Unused(); }
    bool DeleteItem(int, TAbstractDBConnection&, bool, bool, TDeleteChildren) override { Unused(); }

private:
    [[noreturn]] static void Unused() { throw std::logic_error("not part of the benchmark"); }

    TAbstractDBConnectionFactory& factory_;
    std::vector<std::string> languages_;
};
