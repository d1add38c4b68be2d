#include "generation/TransformerXsltScope.h"

#include <libexslt/exslt.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <libxslt/documents.h>
#include <libxslt/security.h>
#include <libxslt/xsltutils.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>

namespace {

// The scope that collects messages now (the innermost one of this thread).
// libxml2 keeps its error handlers per thread; libxslt's error handler,
// document loader and default security preferences are one for the
// process: the first scope of any thread installs them, the last one
// restores what was there before.
thread_local TTransformerXsltScope* CurrentScope = nullptr;
std::mutex SharedSettingsMutex;
int SharedSettingsUsers = 0;
struct TSharedSettings {
    xmlGenericErrorFunc xsltGeneric = nullptr;
    void* xsltGenericContext = nullptr;
    xsltDocLoaderFunc loader = nullptr;
    xsltSecurityPrefsPtr defaultPrefs = nullptr;
} SavedSharedSettings;
// The loader that the network-free loader hands the work to.
xsltDocLoaderFunc WrappedLoader = nullptr;

void CollectGeneric(void*, const char* format, ...)
{
    if (!CurrentScope)
        return;
    char buffer[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    CurrentScope->AddMessage(buffer);
}

// An error of the parser (also of its namespace checks) that is no mere
// warning: the document is not well-formed.
bool IsParseError(const xmlError& error)
{
    return (error.domain == XML_FROM_PARSER || error.domain == XML_FROM_NAMESPACE) && error.level >= XML_ERR_ERROR;
}

// "file:line:column: reason", the file without its folder (the work folder
// says nothing to the template's author), the reason without its line break.
std::string ParseErrorText(const xmlError& error)
{
    std::string file = error.file ? error.file : "";
    if (const std::size_t slash = file.find_last_of('/'); slash != std::string::npos)
        file.erase(0, slash + 1);
    std::string reason = error.message ? error.message : "";
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
        reason.pop_back();
    std::string text = file.empty() ? std::string() : file + ":";
    text += std::to_string(error.line) + ":";
    if (error.int2 > 0)
        text += std::to_string(error.int2) + ":";
    return text + " " + reason;
}

#if LIBXML_VERSION >= 21200
void CollectStructured(void*, const xmlError* error)
#else
void CollectStructured(void*, xmlErrorPtr error)
#endif
{
    if (!CurrentScope || !error)
        return;
    std::string text;
    if (error->file)
        text += std::string(error->file) + ":" + std::to_string(error->line) + ": ";
    text += error->message ? error->message : "error\n";
    CurrentScope->AddMessage(text);
    if (IsParseError(*error))
        CurrentScope->NoteParseError(ParseErrorText(*error));
}

xmlDocPtr NoNetworkLoader(const xmlChar* uri, xmlDictPtr dict, int options, void* context, xsltLoadType type)
{
    return WrappedLoader(uri, dict, options | XML_PARSE_NONET, context, type);
}

xsltSecurityPrefsPtr CreateSecurityPrefs()
{
    xsltSecurityPrefsPtr prefs = xsltNewSecurityPrefs();
    for (xsltSecurityOption option : {XSLT_SECPREF_WRITE_FILE, XSLT_SECPREF_CREATE_DIRECTORY,
                                      XSLT_SECPREF_READ_NETWORK, XSLT_SECPREF_WRITE_NETWORK})
        xsltSetSecurityPrefs(prefs, option, xsltSecurityForbid);
    return prefs;
}

}  // namespace

struct TTransformerXsltScope::TSaved {
    TTransformerXsltScope* outerScope;
    xmlGenericErrorFunc xmlGeneric;
    void* xmlGenericContext;
    xmlStructuredErrorFunc xmlStructured;
    void* xmlStructuredContext;
};

TTransformerXsltScope::TTransformerXsltScope()
{
    static std::once_flag registered;
    std::call_once(registered, [] { exsltRegisterAll(); });

    saved_.reset(new TSaved{CurrentScope, xmlGenericError, xmlGenericErrorContext, xmlStructuredError,
                            xmlStructuredErrorContext});
    CurrentScope = this;
    xmlSetGenericErrorFunc(nullptr, CollectGeneric);
    xmlSetStructuredErrorFunc(nullptr, CollectStructured);
    std::lock_guard<std::mutex> guard(SharedSettingsMutex);
    if (SharedSettingsUsers++ == 0) {
        SavedSharedSettings = {xsltGenericError, xsltGenericErrorContext, xsltDocDefaultLoader,
                               xsltGetDefaultSecurityPrefs()};
        xsltSetGenericErrorFunc(nullptr, CollectGeneric);
        if (xsltDocDefaultLoader != NoNetworkLoader) {
            WrappedLoader = xsltDocDefaultLoader;
            xsltSetLoaderFunc(NoNetworkLoader);
        }
        xsltSetDefaultSecurityPrefs(SecurityPrefs());
    }
}

TTransformerXsltScope::~TTransformerXsltScope()
{
    {
        std::lock_guard<std::mutex> guard(SharedSettingsMutex);
        if (--SharedSettingsUsers == 0) {
            xsltSetDefaultSecurityPrefs(SavedSharedSettings.defaultPrefs);
            xsltSetLoaderFunc(SavedSharedSettings.loader);
            xsltSetGenericErrorFunc(SavedSharedSettings.xsltGenericContext, SavedSharedSettings.xsltGeneric);
        }
    }
    xmlSetStructuredErrorFunc(saved_->xmlStructuredContext, saved_->xmlStructured);
    xmlSetGenericErrorFunc(saved_->xmlGenericContext, saved_->xmlGeneric);
    CurrentScope = saved_->outerScope;
}

xsltSecurityPrefs* TTransformerXsltScope::SecurityPrefs()
{
    static xsltSecurityPrefsPtr prefs = CreateSecurityPrefs();
    return prefs;
}
