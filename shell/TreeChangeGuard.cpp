#include "shell/TreeChangeGuard.h"

namespace {

constexpr std::uint32_t kQuietPeriodMs = 100;

// Clears the busy mark however the question ends.
class TBusyScope {
public:
    explicit TBusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~TBusyScope() { busy_ = false; }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    bool& busy_;
};

}  // namespace

bool TTreeChangeGuard::AllowWebTreeChange(const TTarget& target)
{
    if (busy_)
        return false;
    return Allow(!target.IsItemNode || !hooks_.IsCatalogOpen(), true);
}

bool TTreeChangeGuard::AllowTemplatesChange(const TTarget& target)
{
    if (busy_)
        return false;
    return Allow(!target.Exists || !hooks_.IsCatalogOpen(), false);
}

bool TTreeChangeGuard::Allow(bool skipQuestion, bool extendQuietPeriod)
{
    if (skipQuestion)
        return true;
    const std::uint32_t now = hooks_.TickCount();
    if (now - lastRefusalTick_ < kQuietPeriodMs) {  // unsigned: wraps correctly
        if (extendQuietPeriod)
            lastRefusalTick_ = now;
        hooks_.FocusEditor();
        return false;
    }
    bool allowed = false;
    {
        const TBusyScope busy(busy_);
        allowed = hooks_.CanLeave();
    }
    if (allowed)
        return true;
    lastRefusalTick_ = now;
    hooks_.FocusEditor();
    return false;
}
