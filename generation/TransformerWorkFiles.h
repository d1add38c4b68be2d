#pragma once
// The work files "out.xsl", "out.xml" and "out.html" of the pages of a
// publishing run, kept back instead of written for every page: nothing reads
// them while the run goes on, so each is written once, when the run ends,
// as the last page that wrote it left it. A page document is kept as the
// document itself and turned into text only then.
//
// Every page has its place in the run (its sequence number); what a later
// page keeps replaces what an earlier one kept, whatever order the pages
// are generated in, so that files kept by several workers and merged give
// what one worker generating the pages in order would have written.
//
//   TTransformerWorkFiles kept;
//   transformer.KeepWorkFiles(kept, sequence);   // for every page
//   kept.Write(previewDir);                       // when the run ends
#include <functional>
#include <map>
#include <memory>
#include <string>

class TPageDocument;

class TTransformerWorkFiles {
public:
    void KeepText(const std::string& name, std::string text, long sequence);
    void KeepDocument(const std::string& name, std::shared_ptr<const TPageDocument> document, long sequence);
    // A text made by Make only when the file is written (most kept texts
    // are replaced by a later page's before that).
    void KeepMadeText(const std::string& name, std::function<std::string()> make, long sequence);
    // Takes over what Other kept for a later page than this holds.
    void Merge(TTransformerWorkFiles&& other);
    // Forgets what was kept for the pages from Sequence on (a run that
    // stopped early leaves the files of the pages it finished).
    void ForgetFrom(long sequence);
    bool Empty() const { return files_.empty(); }
    // Writes every kept file into Folder (lines ended by CR LF, as every
    // work file), then forgets them.
    void Write(const std::string& folder);

private:
    struct TEntry {
        long sequence = 0;
        std::string text;
        std::shared_ptr<const TPageDocument> document;
        std::function<std::string()> make;
    };
    void Keep(const std::string& name, TEntry entry);

    std::map<std::string, TEntry> files_;
};
