#pragma once
// "Validate XML" of the source editor, without widgets: whether a text is
// well-formed, and where and why not. The offset is a byte offset into the
// UTF-8 text, which is also the source editor's own position unit.
#include <string>

struct TXmlSourceCheck {
    bool WellFormed = true;
    // Byte offset of the error in the text (0 when the parser gave none),
    // never past its end.
    std::size_t Position = 0;
    // The parser's reason, shown untranslated.
    std::string Reason;

    static TXmlSourceCheck Check(const std::string& text);
};
