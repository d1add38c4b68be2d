// The settings reader on any file: reading never fails, and a write adds its
// line without changing a byte of what the file held before.
#include "common/Exceptions.h"
#include "common/IniFile.h"
#include "support/TempFolder.h"
#include "FuzzCheck.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

const char* const kSection = "fuzz-7f3a91c2";

bool MentionsSection(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text.find(kSection) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TTempFolder folder;
    const std::string content(reinterpret_cast<const char*>(data), size);
    const std::string path = folder.Write("fuzz.ini", content);
    TIniFile ini(path);
    std::string value;
    for (const char* key : {"Key", "key", "Name", ""})
        ini.ReadValue("Main", key, value);
    if (MentionsSection(content))
        return 0;
    for (const char* written : {"first value", " padded \"quoted\" "}) {
        ini.WriteString(kSection, "Key", written);
        const std::string after = TTempFolder::Read(path);
        FUZZ_CHECK(after.compare(0, content.size(), content) == 0);
        FUZZ_CHECK(ini.ReadString(kSection, "Key", "") == written);
    }
    return 0;
}
