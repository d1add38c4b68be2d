#include "shell/HelpSystem.h"

#include "common/CommonGui.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "shell/HelpFiles.h"
#include "shell/HelpWindow.h"
#include "gui/UiText.h"

#include <QApplication>

#include <filesystem>

using UiText::Q;

THelpSystem::THelpSystem(TGlobalSettings& settings, TCommonGui& gui) : settings_(settings), gui_(gui) {}

THelpSystem::~THelpSystem()
{
    delete window_.data();
}

void THelpSystem::Initialize()
{
    const TIniSettings& ini = settings_.IniSettings();
    developerMode_ = ini.GetInteger(siKeyDeveloper, 0) == 1;
    const std::string helpFolder = HelpFiles::HelpFolder(settings_.AppDir());
    pagesFolder_ = HelpFiles::LanguageFolder(helpFolder, ini.GetString(siDefaultHelpLanguageCode, "EN"));
    aliases_ = HelpFiles::LoadAliases(helpFolder);
}

std::string THelpSystem::TopicForAliases(const std::vector<std::string>& aliases)
{
    for (const std::string& alias : aliases) {
        if (developerMode_)
            gui_.ShowInformation(alias, false, "");
        std::string topic = HelpFiles::TopicOf(aliases_, alias);
        if (!topic.empty())
            return topic;
    }
    return {};
}

void THelpSystem::ShowHelpForAliases(const std::vector<std::string>& aliases)
{
    DisplayTopic(TopicForAliases(aliases));
}

void THelpSystem::ShowHelpForAlias(const std::string& alias)
{
    ShowHelpForAliases({alias});
}

void THelpSystem::DisplayTopic(const std::string& topic)
{
    namespace fs = std::filesystem;
    const fs::path home = fs::path(pagesFolder_) / "index.html";
    std::error_code ec;
    if (pagesFolder_.empty() || !fs::exists(home, ec)) {
        ++beeps_;
        QApplication::beep();
        return;
    }
    const size_t hash = topic.find('#');
    const std::string page = topic.substr(0, hash);
    const std::string anchor = hash == std::string::npos ? std::string() : topic.substr(hash + 1);
    fs::path file = page.empty() ? home : fs::path(pagesFolder_) / page;
    if (!fs::exists(file, ec))
        file = home;
    if (!window_)
        window_ = new THelpWindow;
    window_->ShowPage(Q(file.string()), Q(anchor), Q(home.string()));
}

THelpWindow* THelpSystem::Window() const
{
    return window_.data();
}
