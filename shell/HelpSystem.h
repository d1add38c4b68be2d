#pragma once
// The help system: windows name help aliases, never pages; the alias file
// maps them to topics of the help pages of the help language (setting 61,
// English when that language has no pages). In developer mode (setting
// 85 is 1) each alias tried is shown first. Without help pages every
// request beeps.
#include "catalog/TolvexHelpSystem.h"

#include <QPointer>

#include <string>
#include <vector>

class TCommonGui;
class TGlobalSettings;
class THelpWindow;

class THelpSystem : public TTolvexHelpSystem {
public:
    THelpSystem(TGlobalSettings& settings, TCommonGui& gui);
    ~THelpSystem() override;

    void Initialize() override;
    void ShowHelpForAliases(const std::vector<std::string>& aliases) override;
    void ShowHelpForAlias(const std::string& alias);
    // An empty topic opens the contents page.
    void DisplayTopic(const std::string& topic);

    // The topic that the list leads to (empty: the contents page).
    std::string TopicForAliases(const std::vector<std::string>& aliases);
    const std::string& PagesFolder() const { return pagesFolder_; }
    THelpWindow* Window() const;
    int BeepCount() const { return beeps_; }

private:
    TGlobalSettings& settings_;
    TCommonGui& gui_;
    std::string pagesFolder_;
    std::vector<std::string> aliases_;
    bool developerMode_ = false;
    QPointer<THelpWindow> window_;
    int beeps_ = 0;
};
