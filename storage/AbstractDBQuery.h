#pragma once
// A statement on one connection, borrowed from the connection's pool and
// given back after use. Parameters are named (":Name" in the text) and always
// bound, never pasted into the text. Open gives the rows of a SELECT.
#include "common/Variant.h"

#include <string>

class TAbstractRecordset;

class TAbstractDBQuery {
public:
    virtual ~TAbstractDBQuery() = default;

    virtual void SetSQL(const std::string& text) = 0;
    virtual void AddSQL(const std::string& line) = 0;
    virtual std::string GetErrorText() const = 0;
    // Runs a statement that returns no rows.
    virtual void ExecSQL() = 0;
    // Runs a SELECT and returns its rows; with ReadOnly false the record set
    // can be edited, appended to and posted.
    virtual TAbstractRecordset& Open(bool readOnly) = 0;
    // Closes the record set when it is open.
    virtual void Close() = 0;
    // Binds the named parameter (written ":Name" in the statement).
    virtual void SetParam(const std::string& name, const TVariant& value) = 0;
    // The statement text, for a developer.
    virtual std::string ShowSQL() const = 0;
};

// The rows of an opened query: fields by name, end-of-set flag, next; an
// updatable record set also offers edit, append and post.
class TAbstractRecordset {
public:
    virtual ~TAbstractRecordset() = default;

    virtual bool Eof() const = 0;
    virtual void Next() = 0;
    virtual int FieldCount() const = 0;
    virtual std::string FieldName(int index) const = 0;
    virtual TFieldType FieldType(int index) const = 0;
    // The value of a field of the current row; raises when the field is unknown.
    virtual TVariant Field(const std::string& name) const = 0;
    virtual TVariant Field(int index) const = 0;
    virtual bool HasField(const std::string& name) const = 0;

    // Updating: Edit the current row or Append a new one, set fields, Post.
    virtual void Edit() = 0;
    virtual void Append() = 0;
    virtual void SetField(const std::string& name, const TVariant& value) = 0;
    virtual void Post() = 0;
    virtual void Cancel() = 0;
};
