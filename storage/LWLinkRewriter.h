#pragma once
// Rewrites the links inside a converted page text after the items got new
// ids. Three expressions run one after the other, each over all its matches,
// caseless and with "." crossing lines:
//   image links   ../images/CODE.    (a slash or a backslash after "..")
//   page links    "NUMBER.html or /NUMBER.html
//   object links  ../objects/CODE.
// Each captured code goes to the map of its kind; when the map answers an id
// other than 0 and -1, the code is replaced by that id in decimal, otherwise
// the link stays as it was. An empty map leaves every link of its kind.
#include "storage/LWIdMap.h"

#include <memory>
#include <string>

class TLWLinkRewriter {
public:
    TLWLinkRewriter(TLWIdMap objectIdMap, TLWIdMap pageIdMap, TLWIdMap imageIdMap);
    ~TLWLinkRewriter();
    TLWLinkRewriter(const TLWLinkRewriter&) = delete;
    TLWLinkRewriter& operator=(const TLWLinkRewriter&) = delete;

    std::string Rewrite(const std::string& text) const;

private:
    struct TPattern;

    TLWIdMap objectIdMap_;
    TLWIdMap pageIdMap_;
    TLWIdMap imageIdMap_;
    std::unique_ptr<TPattern> images_;
    std::unique_ptr<TPattern> pages_;
    std::unique_ptr<TPattern> objects_;
};
