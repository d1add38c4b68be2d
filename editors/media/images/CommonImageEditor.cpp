#include "editors/media/images/CommonImageEditor.h"

#include "editors/framework/EditorParams.h"
#include "editors/framework/FrameClass.h"
#include "editors/media/images/FrameImageDataEditor.h"

namespace {

const TFrameClassOf<TFrameCommonImageEditor> kCommonImageFrame("", "TFrameCommonImageEditor");

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

void TCommonImageEditor::CreatePages()
{
    std::vector<std::string> params = editor_params::Split(GetParams());
    for (std::string& pair : params) {
        const std::size_t equals = pair.find('=');
        if (equals != std::string::npos)
            pair = Trimmed(pair.substr(0, equals)) + "=" + Trimmed(pair.substr(equals + 1));
    }
    std::string name = ValueOfName(params, "tabname");
    std::string caption = ValueOfName(params, "tabcaption");
    AddTab(caption.empty() ? "Image" : caption, name.empty() ? "Image" : name, &kCommonImageFrame);
}
