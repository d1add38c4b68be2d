#pragma once
// What the hosting service answered, read as the protocol says: a body that
// begins with "Warning:" or "Message:" is accepted and its text logged, one
// that begins with "Error:" is refused and its text logged, anything else
// is accepted as it is. Field replies are name=value pairs separated by
// "&", CR or LF and URL-decoded; a body of 10 bytes or fewer carries no
// record set.
#include <map>
#include <string>

class THostReply {
public:
    enum class TKind { Plain, Warning, Message, Error };

    // A body of 10 bytes or fewer carries no data.
    static constexpr std::size_t kMaxEmptyBody = 10;

    explicit THostReply(std::string body = {});

    TKind Kind() const { return kind_; }
    bool IsError() const { return kind_ == TKind::Error; }
    // The text after the prefix (its leading blank kept); empty for a plain reply.
    const std::string& Text() const { return text_; }
    const std::string& Body() const { return body_; }
    bool CarriesData() const { return body_.size() > kMaxEmptyBody; }

    // Reads the body's fields. False, with Fields left empty, when a field
    // is not URL-encoded correctly: the reply then counts as unreadable.
    bool ReadFields();
    // The value of a field (name compared ignoring case); empty when absent.
    std::string Field(const std::string& name) const;

private:
    std::string body_;
    TKind kind_ = TKind::Plain;
    std::string text_;
    std::map<std::string, std::string> fields_;  // by lower-case name
};
