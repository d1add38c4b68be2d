#include "common/TolvexException.h"

#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "common/Translation.h"

namespace {
const char* const kErrorTemplate =
    "Error occurs while executing Tolvex software\\nPlease, send a bug report to $1\\n\\nError message: $2";
}

TTolvexException::TTolvexException(TTranslation& translation, TCommonGui& gui,
                                   std::function<void()> terminate, std::string supportAddress)
    : translation_(translation), gui_(gui), terminate_(std::move(terminate)),
      supportAddress_(std::move(supportAddress))
{
}

std::string TTolvexException::MessageText(const std::string& message) const
{
    // The message is an argument, so "$1" or "\n" inside it is not expanded again.
    return translation_.Format(kErrorTemplate, {supportAddress_, message}, true);
}

void TTolvexException::HandleException(const std::exception& e)
{
    gui_.ShowError(MessageText(e.what()), false, "");
    if (dynamic_cast<const EFatalTolvexException*>(&e) && terminate_)
        terminate_();
}

void TTolvexException::HandleUnknownException()
{
    gui_.ShowError(MessageText("Unknown error"), false, "");
}
