#pragma once
// While an object of this class lives, libxml2 and libxslt work the way page
// generation needs them:
//  - their error and warning messages are collected here instead of being
//    printed, so that a failed transformation can say why, and the first
//    error of a document that is not well-formed is kept apart, so that a
//    broken template can be named with its line and reason;
//  - the documents that style sheets include or read are parsed without
//    network access;
//  - the XSLT security preferences, also the ones used while a style sheet
//    and its includes compile, forbid writing files, creating folders and
//    every network access.
// The handlers in force before are restored when it dies; scopes may nest,
// and scopes of several threads may live at once (each thread's messages go
// to its own innermost scope).
// The EXSLT extensions are registered on first use.
#include <memory>
#include <string>

typedef struct _xsltSecurityPrefs xsltSecurityPrefs;

class TTransformerXsltScope {
public:
    TTransformerXsltScope();
    ~TTransformerXsltScope();
    TTransformerXsltScope(const TTransformerXsltScope&) = delete;
    TTransformerXsltScope& operator=(const TTransformerXsltScope&) = delete;

    // The messages collected so far, each ended by a line break as the
    // libraries write them; empty when there were none.
    const std::string& Messages() const { return messages_; }
    void ClearMessages() { messages_.clear(); }
    void AddMessage(const std::string& text) { messages_ += text; }

    // The first error that made a document not well-formed XML, as
    // "file:line:column: reason" with the file's name without its folder;
    // empty when there was none.
    const std::string& FirstParseError() const { return firstParseError_; }
    void NoteParseError(const std::string& text)
    {
        if (firstParseError_.empty())
            firstParseError_ = text;
    }

    // The security preferences that every transformation is given.
    static xsltSecurityPrefs* SecurityPrefs();

private:
    struct TSaved;

    std::string messages_;
    std::string firstParseError_;
    std::unique_ptr<TSaved> saved_;
};
