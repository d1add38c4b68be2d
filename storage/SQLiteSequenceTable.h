#pragma once
// The id sequences of a catalog database: table LocalSequences (CatalogCode,
// SequenceName, LastId), one row per catalog and sequence. The statements run
// in the connection's current unit of work; committing is the caller's job.
#include <string>

class TAbstractDBConnection;

class TSQLiteSequenceTable {
public:
    // Advances the named sequence of a catalog and returns its new number:
    // 1 for a sequence without a row (the row is inserted with LastId 1).
    static int Draw(TAbstractDBConnection& connection, const std::string& catalogCode,
                    const std::string& sequenceName);
    // Makes the sequence's LastId at least Number (inserting its row when
    // missing), so that numbers up to Number are never handed out again.
    static void KeepAtLeast(TAbstractDBConnection& connection, const std::string& catalogCode,
                            const std::string& sequenceName, int number);
};
