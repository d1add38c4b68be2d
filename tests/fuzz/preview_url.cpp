// Preview addresses as the preview browser hands them over: any text is
// taken apart without failing, and what is taken comes from the address.
#include "catalog/Catalog.h"
#include "support/CatalogFixture.h"
#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TCatalogEnvironment env;
    const std::string url(reinterpret_cast<const char*>(data), size);
    const TCatalog::TPreviewUrl parsed = env.Catalog().ParsePreviewUrl(url, env.Connection(), "shop");
    FUZZ_CHECK(parsed.Kind >= 0 && parsed.Kind <= 2);
    if (parsed.Kind == 0) {
        FUZZ_CHECK(parsed.FileName.empty() && parsed.ItemId == 0);
        return 0;
    }
    FUZZ_CHECK(url.compare(0, parsed.CleanUrl.size(), parsed.CleanUrl) == 0);
    FUZZ_CHECK(url.find(parsed.FileName) != std::string::npos);
    FUZZ_CHECK(parsed.FileName.find_first_of("/\\?#") == std::string::npos);
    return 0;
}
