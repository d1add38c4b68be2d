#pragma once
// The state and rules of the hyperlink dialog without its widgets: the
// start values it reads, the protocol split off an address, the caption
// that follows the address until the user types one, and the answers it
// writes on OK.
#include "editors/site/html/dialogs/DialogParams.h"

#include <string>
#include <vector>

class THyperlinkForm {
public:
    // The protocol choices in order; the last, "(none)", adds nothing.
    static const std::vector<std::string>& Protocols();
    static constexpr int kNoProtocol = 3;

    // Reads "DontShowCaption", "InitCaption", "InitURL", "InitTitle", "NewWindow".
    void Init(const TDialogParams& params);

    // The index of the first protocol that begins Address ("(none)" when
    // none does) and the address without it.
    static int SplitProtocol(std::string& address);

    // The address or the protocol changed: the caption follows the address
    // edit's text while the user has not typed one of their own. True when
    // the caption changed.
    bool AddressChanged(const std::string& addressText);
    // The user typed into the caption.
    void CaptionTyped(const std::string& caption);

    // Writes "URL", "Caption", "AddSpaceAtTheEnd", "ATitle" and "NewWindow";
    // nothing when the address is blank.
    void Save(TDialogParams& params) const;

    bool CaptionHidden = false;
    bool CaptionEdited = false;
    int Protocol = 0;
    std::string Address;
    std::string Caption;
    std::string Title;
    bool NewWindow = false;
};
