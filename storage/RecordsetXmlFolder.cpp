#include "storage/RecordsetXmlFolder.h"

#include "common/AtomicFile.h"
#include "common/Exceptions.h"
#include "storage/RecordsetToXml.h"
#include "storage/XmlToRecordset.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

void WriteRecordsetFile(const TRecordsetToXml& writer, const std::string& fileName)
{
    std::ostringstream content;
    writer.SaveToStream(content, false);
    if (!WriteFileAtomically(fileName, content.str()))
        throw ECriticalTolvexException("Cannot write the file \"" + fileName + "\"");
}

void ApplyRecordsetFolder(const std::string& folder, TAbstractDBConnection& connection,
                          const TRecordsetXmlContext& context, std::uint8_t mode)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        if (entry.is_regular_file(error) && entry.path().extension() == ".xml")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        if (!in)
            throw ECriticalTolvexException("Cannot read the file \"" + file.string() + "\"");
        TXmlToRecordset(connection, context).ApplyStream(in, false, mode);
    }
}
