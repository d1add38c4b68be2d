#pragma once
// What the "Publish Parameters" dialog offers and what it hands to the local
// publishing: the language choices ("[All possible]" with an empty value,
// then each catalog language as its name, "===" and its code), the proposed
// index file name (catalog property 711, or "index.html"), and the
// parameter list of the run. The dialog itself only shows these.
#include <string>
#include <vector>

class TTolvex;
class TTranslation;

struct TPublishParameters {
    // Caption===value lines; the first (all languages) is selected.
    std::vector<std::string> Languages;
    std::string IndexFileName;

    // The index file name a run gets for what was typed: "index.html" when
    // nothing but blanks was typed, otherwise the text as typed.
    static std::string IndexFileNameToSend(const std::string& typed);

    // The choices for the open catalog of the program.
    static TPublishParameters ForOpenCatalog(TTolvex& root, const TTranslation* translation);

    // The parameters of the run. LangCode empty: every language; PageId 0: every page.
    static std::vector<std::string> RunParameters(const std::string& path, const std::string& langCode,
                                                  const std::string& indexFileName, bool serverSideScripts,
                                                  int pageId);
};
