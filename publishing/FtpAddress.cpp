#include "publishing/FtpAddress.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char wanted, char c) { return std::tolower(static_cast<unsigned char>(c)) == wanted; });
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// "%xx" decoded; a "%" without two hexadecimal digits stays as it is.
std::string PercentDecoded(const std::string& text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            plain += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

bool HasControlCharacter(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; });
}

}  // namespace

TFtpAddress TFtpAddress::Parse(const std::string& text)
{
    TFtpAddress address;
    std::string rest = Trimmed(text);
    const std::size_t scheme = rest.find("://");
    if (scheme != std::string::npos) {
        if (!StartsWithNoCase(rest, "ftp://")) {
            address.Problem = "Only addresses of FTP servers (ftp://) can be used";
            return address;
        }
        rest.erase(0, scheme + 3);
    }
    const std::size_t slash = rest.find('/');
    std::string authority = rest.substr(0, slash);
    if (slash != std::string::npos) {
        std::string folder = rest.substr(slash + 1);
        while (!folder.empty() && folder.back() == '/')
            folder.pop_back();
        address.Folder = PercentDecoded(folder);
    }
    if (const std::size_t at = authority.rfind('@'); at != std::string::npos) {
        address.LoginName = PercentDecoded(authority.substr(0, at));
        authority.erase(0, at + 1);
    }
    std::string port;
    if (!authority.empty() && authority.front() == '[') {
        const std::size_t close = authority.find(']');
        if (close == std::string::npos) {
            address.Problem = "The server address is not complete";
            return address;
        }
        address.Host = authority.substr(1, close - 1);
        if (close + 1 < authority.size()) {
            if (authority[close + 1] != ':') {
                address.Problem = "The server address is not complete";
                return address;
            }
            port = authority.substr(close + 2);
        }
    } else if (const std::size_t colon = authority.find(':'); colon != std::string::npos) {
        address.Host = authority.substr(0, colon);
        port = authority.substr(colon + 1);
    } else {
        address.Host = authority;
    }
    if (address.Host.empty()) {
        address.Problem = "Enter FTP host name";
        return address;
    }
    if (HasControlCharacter(address.Host) || address.Host.find_first_of(" \\") != std::string::npos ||
        HasControlCharacter(address.Folder) || HasControlCharacter(address.LoginName)) {
        address.Problem = "The server address has characters that cannot be in it";
        return address;
    }
    if (!port.empty()) {
        const bool digits = port.size() <= 5 && std::all_of(port.begin(), port.end(), [](unsigned char c) {
                                return std::isdigit(c);
                            });
        const int number = digits ? std::stoi(port) : 0;
        if (number < 1 || number > 65535) {
            address.Problem = "The port must be a number from 1 to 65535";
            return address;
        }
        address.Port = number;
        address.HasPort = true;
    }
    return address;
}

std::string TFtpAddress::HostAndPort() const
{
    const std::string host = Host.find(':') != std::string::npos ? "[" + Host + "]" : Host;
    return Port == kDefaultPort ? host : host + ":" + std::to_string(Port);
}
