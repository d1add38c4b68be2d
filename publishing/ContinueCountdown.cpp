#include "publishing/ContinueCountdown.h"

bool TContinueCountdown::Step()
{
    if (countdown_ <= 0)
        return false;
    --countdown_;
    return countdown_ == 0;
}
