#pragma once
// Test helper: a transformation through a context of one's own, prepared
// by the test before it runs, and its result as text (empty when it
// failed). The sheet and the source stay the caller's.
#include "common/XmlPtr.h"

#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <functional>
#include <string>

inline std::string TransformThroughContext(xsltStylesheetPtr sheet, xmlDocPtr source,
                                           const std::function<void(xsltTransformContextPtr)>& prepare)
{
    xsltTransformContextPtr context = xsltNewTransformContext(sheet, source);
    prepare(context);
    const TXmlDocPtr result(xsltApplyStylesheetUser(sheet, source, nullptr, nullptr, nullptr, context));
    std::string output;
    xmlChar* bytes = nullptr;
    int length = 0;
    if (result && xsltSaveResultToString(&bytes, &length, result.get(), sheet) == 0 && bytes)
        output.assign(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
    xmlFree(bytes);
    xsltFreeTransformContext(context);
    return output;
}
