// The XSL-to-HTML converter on any text, as a master and as a body template.
// It must neither fail nor take more than time in proportion to the text.
#include "generation/ConverterXsl2Html.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string xsl(reinterpret_cast<const char*>(data), size);
    TConverterXsl2Html converter;
    std::string html;
    for (const int type : {501, 502, 503})
        converter.Convert(xsl, type, html);
    return 0;
}
