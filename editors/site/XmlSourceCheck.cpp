#include "editors/site/html/XmlSourceCheck.h"

#include "common/CommonFunctions.h"

#include <algorithm>

TXmlSourceCheck TXmlSourceCheck::Check(const std::string& text)
{
    TXmlSourceCheck result;
    int position = 0;
    result.WellFormed = TCommonFunctions::CheckXml(text, position, result.Reason);
    if (!result.WellFormed)
        result.Position = std::min(static_cast<std::size_t>(std::max(position, 0)), text.size());
    // libxml2 ends its messages with a line break; the message box needs none.
    while (!result.Reason.empty() && (result.Reason.back() == '\n' || result.Reason.back() == '\r'))
        result.Reason.pop_back();
    return result;
}
