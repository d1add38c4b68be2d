#pragma once
// TFrameImageMemberTab: a tab that shows one image member of the opened
// item (the hotel's logo and photo, a room's photo) through the
// configurable image editor the program opens by name ("CommonImageEditor")
// with the member's parameters ("class", "member", "savelarge",
// "foldername"), nested in the tab and sharing the item's editing context,
// as the catalog definition would name it for any object's image member.
#include "editors/framework/FrameClass.h"
#include "editors/framework/TolvexFrameViewer.h"
#include "editors/site/page/FrameWebPageContainer.h"

#include <QWidget>

#include <memory>
#include <string>


class TFrameImageMemberTab : public QWidget, private TNestedEditorPanelHolder, public TTolvexFrameViewer {
public:
    TFrameImageMemberTab(TFrameSite& site, std::string className, std::string editorParams);
    ~TFrameImageMemberTab() override;
    void InitControls() override;

    // The image editor's name and the parameter string of a member.
    static constexpr const char* kEditorName = "CommonImageEditor";
    static std::string Params(const std::string& classTag, const std::string& member, const std::string& folder,
                              bool largeCopy, const std::string& tabCaption);

private:
    std::string editorParams_;
};

// The frame class of one image member's tab.
class TImageMemberTabClass : public TFrameClass {
public:
    TImageMemberTabClass(std::string className, std::string classTag, std::string member, std::string folder,
                         bool largeCopy, std::string tabCaption);
    std::string PluginName() const override { return {}; }
    std::string ClassName() const override { return className_; }
    std::string TabCaption() const override { return {}; }
    std::string TabName() const override { return {}; }
    bool IsSingleFrame() const override { return false; }
    std::unique_ptr<TTolvexFrameEditor> CreateFrame(TFrameSite& site) const override;

private:
    std::string className_;
    std::string params_;
};
