#pragma once
// TFrameAdvancedOptionsModel: the "Advanced" tab of the catalog options
// without widgets: the live-chat service and the page transition effects of
// the company item 2001.
#include "editors/site/SiteModelContext.h"

#include <string>

class TFrameAdvancedOptionsModel {
public:
    struct TValues {
        bool BoldChat = false;
        std::string ChatId;
        int Enter = 0;  // transition numbers (see TTransitionEffects)
        int Exit = 0;
        std::string EnterTime;  // time words or numbers as shown
        std::string ExitTime;
    };

    explicit TFrameAdvancedOptionsModel(const TSiteModelContext& context) : context_(context) {}

    void Load();
    const TValues& Values() const { return values_; }
    void SetValues(const TValues& values);
    bool IsChatIdEnabled() const { return values_.BoldChat; }
    bool IsModified() const { return modified_; }
    void Store();

private:
    TSiteModelContext context_;
    TValues values_;
    bool modified_ = false;
};
