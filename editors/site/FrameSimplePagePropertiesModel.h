#pragma once
// TFrameSimplePagePropertiesModel: the simple "Properties" tab of a web page
// without widgets: name, file name (stored as typed), visibility, keywords
// and description.
#include "editors/site/page/PagePropertiesModel.h"

class TFrameSimplePagePropertiesModel : public TPagePropertiesModel {
public:
    explicit TFrameSimplePagePropertiesModel(const TSiteModelContext& context) : TPagePropertiesModel(context) {}

    const std::string& Keywords() const { return keywords_; }
    // 0 include the parent's keywords, 1 do not.
    int UseParentKeywords() const { return useParentKeywords_; }
    const std::string& Description() const { return description_; }
    void SetKeywords(const std::string& keywords, int useParentKeywords);
    void SetDescription(const std::string& description);

protected:
    bool HasObjects() const override;
    void LoadObjects() override;
    void StoreObjects() override;

private:
    std::string keywords_;
    int useParentKeywords_ = 0;
    std::string description_;
};
