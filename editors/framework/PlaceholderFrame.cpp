#include "editors/framework/PlaceholderFrame.h"

#include "catalog/Singletons.h"
#include "common/Translation.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/FrameSite.h"

TPlaceholderFrame::TPlaceholderFrame(TFrameSite& site, std::string what) : site_(site), what_(std::move(what)) {}

std::string TPlaceholderFrame::MessageFor(const std::string& what)
{
    return TTranslation::OrEnglish(::Translation)
        .Format("This page stands for the editor $1, which is not part of the program yet.", {what});
}

void TPlaceholderFrame::InitControls()
{
    site_.ShowMessage(MessageFor(what_));
}

std::unique_ptr<TTolvexFrameEditor> TFrameClass::CreateFrameOf(const TAbstractFrameClass& frameClass,
                                                              TFrameSite& site)
{
    if (const auto* known = dynamic_cast<const TFrameClass*>(&frameClass))
        return known->CreateFrame(site);
    std::string what = frameClass.PluginName();
    if (!frameClass.ClassName().empty())
        what += " (" + frameClass.ClassName() + ")";
    return std::make_unique<TPlaceholderFrame>(site, what);
}
