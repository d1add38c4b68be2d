#pragma once
// Content hooks of the preview: an editor or an import answers addresses of
// its own before the preview resolver looks at the catalog. Hooks stack: each
// installation returns a handle that removes exactly that hook when it is
// reset or destroyed, so removing one editor's hook never removes another's.
// The most recently installed hook is asked first; the first that answers
// wins. Installing, removing and asking may happen on any thread: removing
// waits while another thread is asking, so a removed hook is never called
// after its handle is gone.
//
//   THookHandle handle = TPreviewContentHooks::Global().Install(
//       [](const std::string& url) -> std::optional<std::string> { ... });
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class TPreviewContentHooks {
public:
    // Answers the content of an address, or nothing when the address is not its own.
    using THook = std::function<std::optional<std::string>(const std::string& url)>;

    // Removes its hook when reset or destroyed; movable, not copyable.
    class THookHandle {
    public:
        THookHandle() = default;
        THookHandle(THookHandle&& other) noexcept;
        THookHandle& operator=(THookHandle&& other) noexcept;
        THookHandle(const THookHandle&) = delete;
        THookHandle& operator=(const THookHandle&) = delete;
        ~THookHandle() { Reset(); }

        // Removes the hook now; nothing when it was removed already.
        void Reset();
        bool IsInstalled() const { return owner_ != nullptr; }

    private:
        friend class TPreviewContentHooks;
        THookHandle(TPreviewContentHooks* owner, std::uint64_t token) : owner_(owner), token_(token) {}

        TPreviewContentHooks* owner_ = nullptr;
        std::uint64_t token_ = 0;
    };

    TPreviewContentHooks() = default;
    TPreviewContentHooks(const TPreviewContentHooks&) = delete;
    TPreviewContentHooks& operator=(const TPreviewContentHooks&) = delete;

    // The hooks of the process (the program's preview resolver asks these).
    static TPreviewContentHooks& Global();

    // Installs Hook on top of the others; it stays until the handle goes.
    [[nodiscard]] THookHandle Install(THook hook);
    // The answer of the newest hook that answers Url; nothing when none does.
    // A hook may itself install or remove hooks.
    std::optional<std::string> Ask(const std::string& url) const;
    std::size_t Count() const;

private:
    struct TEntry {
        std::uint64_t Token = 0;
        std::shared_ptr<const THook> Hook;
    };
    void Remove(std::uint64_t token);

    mutable std::recursive_mutex mutex_;
    std::vector<TEntry> hooks_;  // oldest first
    std::uint64_t nextToken_ = 1;
};
