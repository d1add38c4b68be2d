#include "generation/PreviewContentHooks.h"

#include <algorithm>
#include <utility>

TPreviewContentHooks::THookHandle::THookHandle(THookHandle&& other) noexcept
    : owner_(std::exchange(other.owner_, nullptr)), token_(std::exchange(other.token_, 0))
{
}

TPreviewContentHooks::THookHandle& TPreviewContentHooks::THookHandle::operator=(THookHandle&& other) noexcept
{
    if (this != &other) {
        Reset();
        owner_ = std::exchange(other.owner_, nullptr);
        token_ = std::exchange(other.token_, 0);
    }
    return *this;
}

void TPreviewContentHooks::THookHandle::Reset()
{
    if (owner_)
        std::exchange(owner_, nullptr)->Remove(token_);
}

TPreviewContentHooks& TPreviewContentHooks::Global()
{
    static TPreviewContentHooks hooks;
    return hooks;
}

TPreviewContentHooks::THookHandle TPreviewContentHooks::Install(THook hook)
{
    std::lock_guard lock(mutex_);
    const std::uint64_t token = nextToken_++;
    hooks_.push_back({token, std::make_shared<const THook>(std::move(hook))});
    return THookHandle(this, token);
}

void TPreviewContentHooks::Remove(std::uint64_t token)
{
    std::lock_guard lock(mutex_);
    std::erase_if(hooks_, [token](const TEntry& entry) { return entry.Token == token; });
}

std::optional<std::string> TPreviewContentHooks::Ask(const std::string& url) const
{
    // Held while the hooks run; the copy keeps each function alive when a
    // hook removes one of them.
    std::lock_guard lock(mutex_);
    const std::vector<TEntry> snapshot = hooks_;
    for (auto entry = snapshot.rbegin(); entry != snapshot.rend(); ++entry) {
        if (!*entry->Hook)
            continue;
        if (std::optional<std::string> content = (*entry->Hook)(url))
            return content;
    }
    return std::nullopt;
}

std::size_t TPreviewContentHooks::Count() const
{
    std::lock_guard lock(mutex_);
    return hooks_.size();
}
