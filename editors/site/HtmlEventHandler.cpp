#include "editors/site/html/HtmlEventHandler.h"

#include "common/CommonFunctionsDetail.h"


using common_detail::UpperCase;

bool THtmlEventHandler::Qualifies(const std::string& eventType, const std::string& tagName,
                                  const std::optional<std::string>& typeAttribute)
{
    if (eventType == "change")
        return true;
    const std::string tag = UpperCase(tagName);
    if ((tag != "INPUT" && tag != "SELECT") || !typeAttribute)
        return false;
    const std::string type = UpperCase(*typeAttribute);
    return type != "TEXT" && type != "PASSWORD";
}

bool THtmlEventHandler::HandleEvent(const std::string& eventType, const std::string& tagName,
                                    const std::optional<std::string>& typeAttribute)
{
    if (fired_ || !Qualifies(eventType, tagName, typeAttribute))
        return false;
    fired_ = true;
    if (onModified_)
        onModified_();
    return true;
}
