#pragma once
// The bytes of a record-set document taken from a stream.
#include <cstddef>
#include <istream>
#include <string>

// Every byte of Stream from its start (from where it stands when it cannot
// be positioned), zlib-decompressed when Compressed. Raises
// EPublisherTolvexException when the document would exceed Limit bytes, or
// when the compressed data is damaged or incomplete.
std::string ReadRecordsetXmlInput(std::istream& stream, bool compressed, std::size_t limit);
