#pragma once
// TProductShippingModel: a product's shipping data ("ProductShipping")
// without widgets: capacity, preparation time, storage location, tax class
// and the date the product was introduced (a day number, 0 unknown). The
// date is written only once the user set one.
#include "editors/site/SiteModelContext.h"

#include <map>
#include <string>
#include <vector>

class TProductShippingModel {
public:
    explicit TProductShippingModel(const TSiteModelContext& context);

    static const std::vector<std::string>& TextMembers();

    void Load();
    std::string Value(const std::string& member) const;
    void SetValue(const std::string& member, const std::string& value);
    // Days since 1899-12-30; 0 while unknown.
    double DateIntroduced() const { return date_; }
    void SetDateIntroduced(double days);
    bool IsDateSet() const { return dateSet_; }

    void Store();

private:
    TSiteModelContext context_;
    std::map<std::string, std::string> values_;
    double date_ = 0;
    bool dateSet_ = false;
};
