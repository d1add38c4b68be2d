#include "editors/site/html/dialogs/HyperlinkForm.h"

#include "common/CommonFunctionsDetail.h"
#include "editors/site/html/dialogs/FollowingCaption.h"

using common_detail::Trim;

const std::vector<std::string>& THyperlinkForm::Protocols()
{
    static const std::vector<std::string> protocols{"http://", "mailto:", "ftp://", "(none)"};
    return protocols;
}

int THyperlinkForm::SplitProtocol(std::string& address)
{
    for (int i = 0; i < kNoProtocol; ++i)
        if (address.rfind(Protocols()[i], 0) == 0) {
            address.erase(0, Protocols()[i].size());
            return i;
        }
    return kNoProtocol;
}

void THyperlinkForm::Init(const TDialogParams& params)
{
    CaptionHidden = params.IsYes("DontShowCaption");
    Caption = params.Value("InitCaption");
    CaptionEdited = !Caption.empty();
    Address = params.Value("InitURL");
    Title = params.Value("InitTitle");
    NewWindow = params.IsYes("NewWindow");
    Protocol = 0;
    if (!Address.empty())
        Protocol = SplitProtocol(Address);
}

bool THyperlinkForm::AddressChanged(const std::string& addressText)
{
    Address = addressText;
    return FollowingCaption::Follow(Caption, CaptionEdited, addressText);
}

void THyperlinkForm::CaptionTyped(const std::string& caption)
{
    Caption = caption;
    CaptionEdited = true;
}

void THyperlinkForm::Save(TDialogParams& params) const
{
    const std::string typed = Trim(Address);
    if (typed.empty())
        return;
    std::string url = typed;
    const std::string protocol = Protocol >= 0 && Protocol < kNoProtocol ? Protocols()[Protocol] : "";
    if (url.find(':') == std::string::npos && protocol.find(':') != std::string::npos)
        url = protocol + url;
    params.Set("URL", url);
    // An address answers for the whole dialog: a page picked on another tab
    // of the same dialog before is no longer the answer.
    params.Remove("PageLink");
    params.Remove("PageId");
    if (!CaptionHidden && !Caption.empty()) {
        if (Caption.back() == ' ')
            params.Set("AddSpaceAtTheEnd", "yes");
        params.Set("Caption", Trim(Caption));
    } else {
        params.Set("Caption", typed);
    }
    if (const std::string title = Trim(Title); !title.empty())
        params.Set("ATitle", title);
    params.Set("NewWindow", NewWindow ? "yes" : "no");
}
