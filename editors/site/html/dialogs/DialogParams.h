#pragma once
// The name=value lines a dialog editor is opened with and answers into: the
// caller puts its start values in ("InitURL=..."), the dialog reads them and
// writes its answers into the same list when the user presses OK. Names are
// compared without regard to case; the first line of a name wins.
#include <string>
#include <vector>

class TDialogParams {
public:
    TDialogParams() = default;
    explicit TDialogParams(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    const std::vector<std::string>& Lines() const { return lines_; }

    // The value of the first line named Name; empty when there is none.
    std::string Value(const std::string& name) const;
    bool Has(const std::string& name) const;
    // True when the value of Name is "yes" (any case).
    bool IsYes(const std::string& name) const;
    // The value of Name as a whole number; 0 when it is none.
    long long Number(const std::string& name) const;
    // The values of every line named Name, in order.
    std::vector<std::string> Values(const std::string& name) const;

    // Replaces the value of the first line named Name, or appends the line.
    void Set(const std::string& name, const std::string& value);
    // Removes every line named Name.
    void Remove(const std::string& name);

private:
    std::vector<std::string> lines_;
};
