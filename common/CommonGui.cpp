#include "common/CommonGui.h"

int DefaultAnswerOfButtons(int flags)
{
    switch (flags & 0x0F) {
    case mbYesNoCancel: return mrCancel;
    case mbYesNo: return mrNo;
    case mbOkCancel: return mrCancel;
    default: return mrOk;
    }
}
