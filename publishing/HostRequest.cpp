#include "publishing/HostRequest.h"

#include "common/Exceptions.h"

namespace {

const char* const kBoundaryStart = "----=_NextPart_000_000C_01C2E358.66EED2F0.";
const char* const kLineBreak = "\r\n";

}  // namespace

std::string THostRequest::MakeBoundary(const std::string& tickCount)
{
    return kBoundaryStart + tickCount;
}

void THostRequest::Clear()
{
    fields_.clear();
    dataName_.clear();
    data_.clear();
}

void THostRequest::CheckName(const std::string& name) const
{
    if (name.empty() || name.find_first_of("\"\r\n") != std::string::npos)
        throw EPublisherTolvexException("A request field has a name that cannot be sent");
}

void THostRequest::AddField(const std::string& name, const std::string& value)
{
    CheckName(name);
    // The host finds the parts by the boundary after a line break; anywhere
    // in a value it could end the value early.
    if (value.find("--" + boundary_) != std::string::npos)
        throw EPublisherTolvexException("The value of the request field \"" + name + "\" cannot be sent");
    fields_.emplace_back(name, value);
}

void THostRequest::SetDataPart(const std::string& name, std::string bytes)
{
    CheckName(name);
    if (bytes.find("--" + boundary_) != std::string::npos)
        throw EPublisherTolvexException("The data of the request cannot be sent");
    dataName_ = name;
    data_ = std::move(bytes);
}

std::string THostRequest::Field(const std::string& name) const
{
    for (const auto& [fieldName, value] : fields_)
        if (fieldName == name)
            return value;
    return {};
}

std::string THostRequest::Body() const
{
    std::string body;
    for (const auto& [name, value] : fields_) {
        body += "--" + boundary_ + kLineBreak;
        body += "Content-Disposition: form-data; name=\"" + name + "\"" + kLineBreak + kLineBreak;
        body += value + kLineBreak;
    }
    if (!dataName_.empty()) {
        body += "--" + boundary_ + kLineBreak;
        body += "Content-Disposition: form-data; name=\"" + dataName_ + "\"; filename=\"" + dataName_ + "\"" +
                kLineBreak;
        body += std::string("Content-type: application/octet-stream") + kLineBreak + kLineBreak;
        body += data_;
        body += kLineBreak;
    }
    if (!body.empty())
        body += "--" + boundary_ + "--" + kLineBreak;
    return body;
}
