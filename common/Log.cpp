#include "common/Log.h"

void TLog::AddLine(const std::string& text)
{
    if (auto sink = sink_.lock()) {
        sink->AppendLine(text);
        sink->ProcessMessages();
    }
}
