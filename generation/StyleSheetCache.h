#pragma once
// Compiled style sheets of page generation, kept while the texts they were
// compiled from stay the same.
//
// The transformer compiles, for each distinct set of templates, a form of
// the generated style sheet whose page values are parameters
// (TTransformerStyleSheet), and asks this cache for it by a key made of what
// that text is made of and the texts of the files it includes (the text
// itself is made only when it must be compiled): pages with an equal key share
// one compiled sheet, and a changed template gives a new key and so a fresh
// compilation. A sheet that did not compile is kept with its messages, so a
// broken template is not compiled again for every page. The least recently
// used sheet is dropped when the cache is full.
#include <cstddef>
#include <functional>
#include <list>
#include <string>

typedef struct _xsltStylesheet xsltStylesheet;

class TStyleSheetCache {
public:
    struct TSheet {
        xsltStylesheet* Sheet = nullptr;  // null when the text did not compile
        std::string Error;                // why it did not compile
        // The text or a file it includes is not well-formed XML; Error is
        // then the first parse error, "file:line:column: reason".
        bool ParseError = false;
    };

    explicit TStyleSheetCache(std::size_t capacity = 16);
    ~TStyleSheetCache();
    TStyleSheetCache(const TStyleSheetCache&) = delete;
    TStyleSheetCache& operator=(const TStyleSheetCache&) = delete;

    // The sheet of Key, compiled from Text on first use; the includes of
    // Text are resolved against BaseUrl (the file it stands for). The
    // reference stays valid until the next call.
    const TSheet& Get(const std::string& key, const std::string& text, const std::string& baseUrl);
    // The same, the text made by MakeText only when it must be compiled.
    const TSheet& Get(const std::string& key, const std::function<std::string()>& makeText,
                      const std::string& baseUrl);
    // Frees every sheet.
    void Clear();
    std::size_t Size() const { return entries_.size(); }
    // How many times a text was compiled since the cache was made.
    int CompileCount() const { return compileCount_; }

private:
    struct TEntry {
        std::string key;
        TSheet sheet;
    };

    static TSheet Compile(const std::string& text, const std::string& baseUrl);
    static void Free(TSheet& sheet);

    std::size_t capacity_;
    // Most recently used first.
    std::list<TEntry> entries_;
    int compileCount_ = 0;
};
