#pragma once
// MIME Base64 (RFC 2045 alphabet, "=" filling the last group) with the line
// layout that stored data depends on: 76-character lines of 57 input bytes,
// CR LF between lines, and after every line of each complete 2736-byte chunk.
// Decoding skips every character outside the alphabet ("=", line breaks,
// spaces and any other), so text with or without line breaks decodes alike.
#include <istream>
#include <ostream>
#include <string>

// Appends the Base64 text of Input, from its current position to its end, to Output.
void Base64EncodeStream(std::istream& input, std::ostream& output);
// Appends the bytes decoded from the text of Input, from its current position, to Output.
void Base64DecodeStream(std::istream& input, std::ostream& output);

// The same over text held in memory.
std::string Base64Encode(const std::string& data);
std::string Base64Decode(const std::string& text);
