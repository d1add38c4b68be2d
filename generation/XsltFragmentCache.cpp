#include "generation/XsltFragmentCache.h"

#include <libxml/tree.h>
#include <libxslt/xsltInternals.h>

void TXsltFragmentCache::Fill(xsltTransformContext* context)
{
    if (!context || !context->cache)
        return;
    xsltTransformCachePtr cache = context->cache;
    while (cache->nbRVT < kFragments) {
        xmlDocPtr fragment = xmlNewDoc(nullptr);
        if (!fragment)
            return;
        // What libxslt marks its own fragments with, but no dictionary.
        fragment->dict = nullptr;
        XSLT_MARK_RES_TREE_FRAG(fragment);
        fragment->doc = fragment;
        fragment->parent = nullptr;
        fragment->next = reinterpret_cast<xmlNodePtr>(cache->RVT);
        cache->RVT = fragment;
        ++cache->nbRVT;
    }
}
