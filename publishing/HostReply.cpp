#include "publishing/HostReply.h"

#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/ParamList.h"

namespace {

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

}  // namespace

THostReply::THostReply(std::string body) : body_(std::move(body))
{
    // "Error:" refuses the request whatever the body's length: a short
    // refusal is still a refusal.
    if (StartsWith(body_, "Error:")) {
        kind_ = TKind::Error;
        text_ = body_.substr(6);
    } else if (body_.size() >= 8 && StartsWith(body_, "Warning:")) {
        kind_ = TKind::Warning;
        text_ = body_.substr(8);
    } else if (body_.size() >= 8 && StartsWith(body_, "Message:")) {
        kind_ = TKind::Message;
        text_ = body_.substr(8);
    }
}

bool THostReply::ReadFields()
{
    fields_.clear();
    std::map<std::string, std::string> fields;
    std::size_t position = 0;
    while (position < body_.size()) {
        const std::size_t end = std::min(body_.find_first_of("&\r\n", position), body_.size());
        const std::string field = body_.substr(position, end - position);
        position = end + 1;
        const std::size_t equals = field.find('=');
        if (equals == std::string::npos)
            continue;
        try {
            const std::string name = common_detail::LowerCase(TParamList::UrlDecode(field.substr(0, equals)));
            fields.emplace(name, TParamList::UrlDecode(field.substr(equals + 1)));
        } catch (const ETolvexException&) {
            return false;
        }
    }
    fields_ = std::move(fields);
    return true;
}

std::string THostReply::Field(const std::string& name) const
{
    const auto found = fields_.find(common_detail::LowerCase(name));
    return found == fields_.end() ? std::string() : found->second;
}
