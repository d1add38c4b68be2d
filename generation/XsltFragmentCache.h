#pragma once
// Result tree fragments (the documents an XSL variable or parameter with
// content builds) that name their nodes without a dictionary.
//
// libxslt makes each fragment a document sharing the transformation's name
// dictionary and takes a reference on it, and gives it back when the
// fragment is freed; libxml2 counts dictionary references under one lock
// for the whole process. A page takes a few dozen fragments, so workers
// transforming pages at the same time queued on that lock for a third of
// their time. A transformation context keeps released fragments for reuse
// and takes a new one from there first: filling that store with fragments
// that have no dictionary before the transformation spares the lock
// (libxml2 and libxslt copy names into a document without a dictionary).
//
//   context = xsltNewTransformContext(sheet, document);
//   TXsltFragmentCache::Fill(context);
//   xsltApplyStylesheetUser(sheet, document, ..., context);
typedef struct _xsltTransformContext xsltTransformContext;

class TXsltFragmentCache {
public:
    // As many fragments as the context keeps for reuse.
    static constexpr int kFragments = 40;

    // Fills the context's store of fragments up to kFragments; a fragment
    // that cannot be made is left out (libxslt then makes its own).
    static void Fill(xsltTransformContext* context);
};
