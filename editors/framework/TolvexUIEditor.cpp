#include "editors/framework/TolvexUIEditor.h"

#include "catalog/AbstractFrameClass.h"
#include "editors/framework/EditorPages.h"
#include "editors/framework/EditorPanel.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexFrameEditor.h"

TTolvexUIEditor::TTolvexUIEditor(std::string name, std::string params)
    : name_(std::move(name)), params_(std::move(params))
{
}

TTolvexUIEditor::~TTolvexUIEditor()
{
    for (TTolvexFrameEditor* frame : CreatedFrames())
        frame->ReleaseControls();
    tabs_.clear();
}

void TTolvexUIEditor::SetContext(TTolvexControlClass& context, TItemEditorContainer& container)
{
    context_ = &context;
    container_ = &container;
}

std::vector<TTolvexFrameEditor*> TTolvexUIEditor::CreatedFrames() const
{
    std::vector<TTolvexFrameEditor*> frames;
    for (const TTab& tab : tabs_)
        if (tab.frame)
            frames.push_back(tab.frame.get());
    return frames;
}

std::vector<TTolvexFrameEditor*> TTolvexUIEditor::BroadcastFrames() const
{
    if (!ActiveTabOnly)
        return CreatedFrames();
    std::vector<TTolvexFrameEditor*> frames;
    for (const TTab& tab : tabs_)
        if (tab.frame && tab.name == currentTabName_)
            frames.push_back(tab.frame.get());
    return frames;
}

TTolvexFrameEditor* TTolvexUIEditor::CreateFrame(TTab& tab, TFrameSite& site)
{
    tab.frame = TFrameClass::CreateFrameOf(*tab.frameClass, site);
    tab.frame->Bind(tab.name, *context_, *this);
    tab.frame->TabShown();
    return tab.frame.get();
}

void TTolvexUIEditor::AddTab(const std::string& caption, const std::string& tabName,
                             const TAbstractFrameClass* frameClass)
{
    TTab tab;
    tab.name = tabName;
    tab.frameClass = frameClass;
    if (IsSingleFrame() && container_->IsSinglePage()) {
        tabs_.push_back(std::move(tab));
        if (frameClass)
            CreateFrame(tabs_.back(), container_->GetHostPanel().CreateSingleSite());
        return;
    }
    if (TEditorPages* pages = container_->GetPageControl())
        tab.page = pages->AddPage(context_->Translate(caption));
    tabs_.push_back(std::move(tab));
}

std::string TTolvexUIEditor::ReportedName(const TTab& tab) const
{
    if (!tab.frame)
        return tab.name;
    const std::string nested = tab.frame->GetNestedTabName();
    return nested.empty() ? tab.name : tab.name + ";" + nested;
}

void TTolvexUIEditor::TabActivated()
{
    TEditorPages* pages = container_->GetPageControl();
    if (!pages)
        return;
    const int active = pages->ActivePage();
    for (TTab& tab : tabs_) {
        if (tab.page < 0 || tab.page != active)
            continue;
        if (ActiveTabOnly && currentTabName_ != tab.name) {
            StoreTab(currentTabName_);
            if (tab.frame)
                tab.frame->Reload();
        }
        if (tab.frameClass) {
            if (tab.frame)
                tab.frame->TabShown();
            else
                CreateFrame(tab, pages->PageSite(tab.page));
        }
        const std::string reported = ReportedName(tab);
        container_->SetActiveTabName(reported);
        currentTabName_ = reported;
        return;
    }
}

bool TTolvexUIEditor::CanLeaveTab()
{
    for (TTolvexFrameEditor* frame : CreatedFrames())
        if (!frame->CanLeaveTab())
            return false;
    return true;
}

bool TTolvexUIEditor::SelectTab(const std::string& tabName)
{
    if (tabName.empty())
        return false;
    TEditorPages* pages = container_->GetPageControl();
    for (const TTab& tab : tabs_) {
        if (tab.name != tabName || tab.page < 0)
            continue;
        return pages && pages->ActivatePage(tab.page);
    }
    return false;
}

bool TTolvexUIEditor::Save()
{
    bool result = true;
    for (const TTab& tab : tabs_) {
        if (!tab.frame)
            continue;
        if (ActiveTabOnly && tab.name != currentTabName_) {
            tab.frame->ClearModified();
            continue;
        }
        if (result)
            result = tab.frame->Save();
    }
    return result;
}

void TTolvexUIEditor::Cancel()
{
    for (TTolvexFrameEditor* frame : CreatedFrames())
        frame->Cancel();
}

void TTolvexUIEditor::LanguageChanged()
{
    // Text is UTF-8 throughout: no font charset follows the language.
    for (TTolvexFrameEditor* frame : BroadcastFrames())
        frame->LanguageChanged();
}

bool TTolvexUIEditor::NameChanged(int itemId, const std::string& newName)
{
    for (TTolvexFrameEditor* frame : CreatedFrames())
        if (frame->NameChanged(itemId, newName))
            return true;
    return false;
}

void TTolvexUIEditor::GoToPreviousTab()
{
    container_->GoToPreviousTab();
}

std::string TTolvexUIEditor::GetActiveTabName()
{
    TEditorPages* pages = container_->GetPageControl();
    if (!pages)
        return tabs_.empty() ? std::string() : tabs_.front().name;
    const int active = pages->ActivePage();
    for (const TTab& tab : tabs_)
        if (tab.page >= 0 && tab.page == active)
            return ReportedName(tab);
    return {};
}

std::string TTolvexUIEditor::GetStartTabName() const
{
    return container_->GetStartTabName();
}

void TTolvexUIEditor::SendCommand(const std::string& command)
{
    for (TTolvexFrameEditor* frame : CreatedFrames())
        frame->ExecuteCommand(command);
}

std::string TTolvexUIEditor::GetHelpKeyword(int level)
{
    TEditorPages* pages = container_->GetPageControl();
    for (const TTab& tab : tabs_) {
        if (!tab.frame)
            continue;
        if (!pages || tab.page == pages->ActivePage())
            return tab.frame->GetHelpKeyword(level + 1);
    }
    return {};
}

void TTolvexUIEditor::Reload()
{
    for (TTolvexFrameEditor* frame : BroadcastFrames())
        frame->Reload();
}

void TTolvexUIEditor::StoreControls()
{
    for (TTolvexFrameEditor* frame : BroadcastFrames())
        frame->StoreControls();
}

void TTolvexUIEditor::NotifyDataChanged(int id, int kind)
{
    for (TTolvexFrameEditor* frame : BroadcastFrames())
        frame->NotifyDataChanged(id, kind);
}

void TTolvexUIEditor::AfterSave()
{
    for (TTolvexFrameEditor* frame : BroadcastFrames())
        frame->AfterSave();
}

void TTolvexUIEditor::SetInvalidControl(void* control)
{
    container_->SetInvalidControl(control);
}

void TTolvexUIEditor::StoreTab(const std::string& tabName)
{
    for (const TTab& tab : tabs_)
        if (tab.frame && tab.name == tabName)
            tab.frame->StoreIfModified();
}

TTolvexFrameEditor* TTolvexUIEditor::FrameOfTab(const std::string& tabName) const
{
    for (const TTab& tab : tabs_)
        if (tab.name == tabName && tab.frame)
            return tab.frame.get();
    return nullptr;
}
