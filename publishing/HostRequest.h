#pragma once
// One request to the hosting service's synchronisation address: text fields
// and at most one data part, written as a multipart/form-data body with the
// operation's boundary. Field values travel as they are (8-bit text, no
// escaping), so a value that holds the boundary line, or a name that would
// end its quotes or its header line, is refused instead of sent: it would
// make the host read other fields than the ones written.
//
//   THostRequest request(THostRequest::MakeBoundary("123456"));
//   request.AddField("action", "checkcatalog");
//   client.Post(url, request.ContentType(), request.Body(), answer);
#include <string>
#include <utility>
#include <vector>

class THostRequest {
public:
    // The boundary of an operation made at the tick count given.
    static std::string MakeBoundary(const std::string& tickCount);

    explicit THostRequest(std::string boundary) : boundary_(std::move(boundary)) {}

    const std::string& Boundary() const { return boundary_; }
    std::string ContentType() const { return "multipart/form-data; boundary=" + boundary_; }

    // Forgets the fields and the data part.
    void Clear();
    // Raises EPublisherTolvexException for a name or value that would break the framing.
    void AddField(const std::string& name, const std::string& value);
    // The data part (one per request; a second replaces the first). Raises
    // EPublisherTolvexException when the bytes hold the boundary line.
    void SetDataPart(const std::string& name, std::string bytes);

    const std::vector<std::pair<std::string, std::string>>& Fields() const { return fields_; }
    // The value of the first field of that name; empty when there is none.
    std::string Field(const std::string& name) const;
    bool HasDataPart() const { return !dataName_.empty(); }

    // The body: a part per field, the data part, then the closing line
    // (nothing at all for a request without fields and data).
    std::string Body() const;

private:
    void CheckName(const std::string& name) const;

    std::string boundary_;
    std::vector<std::pair<std::string, std::string>> fields_;
    std::string dataName_;
    std::string data_;
};
