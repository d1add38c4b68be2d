#pragma once
// Values between SQLite and the program's TVariant.
//
// Field types come from the declared column types of the schema (the names
// that the shipped schemas use: TEXT(n), MEMO, LONG, COUNTER, BIT, DATETIME,
// CURRENCY, LONGBINARY ...), falling back on SQLite's type-affinity rules.
// A column without a declared type (an expression such as COUNT(*)) takes its
// type from the storage class of its first non-Null value.
//
// Date-times are stored as REAL day numbers (days since 1899-12-30, the
// fraction being the time of day), the program's own representation, so that
// bound date parameters compare with stored dates numerically. Text dates in
// ISO form ("yyyy-mm-dd[ hh:nn[:ss]]") are read as well.
// Booleans are stored as 0 and 1.
#include "common/Variant.h"

#include <optional>
#include <string>

struct sqlite3_stmt;

// The field type of a declared column type (case-insensitive).
TFieldType FieldTypeOfDeclaredType(const std::string& declaredType);

// The field type of a value of an SQLite storage class (SQLITE_INTEGER ...).
TFieldType FieldTypeOfStorageClass(int storageClass);

// The value of column Index of the current row, converted to the field type.
TVariant ReadSQLiteColumn(sqlite3_stmt* stmt, int index, TFieldType type);

// Binds a value to parameter Index (1-based); returns SQLite's result code.
int BindSQLiteValue(sqlite3_stmt* stmt, int index, const TVariant& value);

// The day number of an ISO date or date-time text; nothing when it is none.
std::optional<TDateTime> ParseIsoDateTime(const std::string& text);
