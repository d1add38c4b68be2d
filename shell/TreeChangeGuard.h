#pragma once
// Whether the selection of a catalog tree may move to another node: the
// item being edited must agree to be left. A refusal keeps the old node,
// puts the focus back into the editor and suppresses further questions
// for 100 ms (the tree asks several times for one user action). While a
// question is open, every further request is refused. No widgets here.
#include <cstdint>
#include <functional>

class TTreeChangeGuard {
public:
    struct THooks {
        std::function<std::uint32_t()> TickCount;   // milliseconds, wrapping
        std::function<bool()> IsCatalogOpen;
        std::function<bool()> CanLeave;             // may ask the user
        std::function<void()> FocusEditor;          // posts the focus message
    };
    // The target node of a request.
    struct TTarget {
        bool Exists = false;
        bool IsItemNode = false;
    };

    explicit TTreeChangeGuard(THooks hooks) : hooks_(std::move(hooks)) {}

    // The web tree: a refusal inside the quiet period extends it.
    bool AllowWebTreeChange(const TTarget& target);
    // The templates tree: any target node needs the question (not only item
    // nodes), and a refusal inside the quiet period does not extend it.
    bool AllowTemplatesChange(const TTarget& target);

    bool IsBusy() const { return busy_; }

private:
    bool Allow(bool skipQuestion, bool extendQuietPeriod);

    THooks hooks_;
    bool busy_ = false;
    std::uint32_t lastRefusalTick_ = 0;
};
