#pragma once
// Record-set XML files in a folder, as the program's table exports keep
// them: one document per file, written whole, and applied file by file.
#include "storage/RecordsetXmlContext.h"

#include <cstdint>
#include <string>

class TAbstractDBConnection;
class TRecordsetToXml;

// Writes the writer's document, uncompressed, as FileName (replacing it).
// ECriticalTolvexException when the file cannot be written (it is then unchanged).
void WriteRecordsetFile(const TRecordsetToXml& writer, const std::string& fileName);

// Applies every "*.xml" file of Folder, in name order, to the database of
// Connection in the reader mode given; each file applies whole or not at
// all. The first failing file stops it (ECriticalTolvexException when it
// cannot be read, the reader's error otherwise); the files before it stay
// applied. A missing folder applies nothing.
void ApplyRecordsetFolder(const std::string& folder, TAbstractDBConnection& connection,
                          const TRecordsetXmlContext& context, std::uint8_t mode);
