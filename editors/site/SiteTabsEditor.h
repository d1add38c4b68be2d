#pragma once
// A UI editor of the site whose tabs are fixed frame classes, some shown
// only when a condition on the editing context holds (the user's role, the
// advanced mode). The site's tabbed editors (catalog options, company, page
// properties, meta tags, links...) are instances of it, registered under
// their class names with their tab lists.
#include "editors/framework/TolvexUIEditor.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

class TAbstractFrameClass;

class TSiteTabsEditor : public TTolvexUIEditor {
public:
    struct TTab {
        std::string Caption;
        std::string Name;
        const TAbstractFrameClass* FrameClass = nullptr;
        // Empty: always shown.
        std::function<bool(TTolvexControlClass&)> Shown;
    };

    TSiteTabsEditor(std::string name, std::string params, std::vector<TTab> tabs, std::set<int> saveRoles,
                    bool singleFrame = false);

    void CreatePages() override;
    std::set<int> GetSaveRoles() const override { return saveRoles_; }
    bool IsSingleFrame() const override { return singleFrame_; }

private:
    std::vector<TTab> tabs_;
    std::set<int> saveRoles_;
    bool singleFrame_;
};
