#pragma once
// The catalog definition's values under one plug-in name, as the lookup the
// definition-driven editors and item managers read their settings through
// (an empty text for a key without a value).
#include <functional>
#include <string>

class TCatalog;

using TDefinitionLookup = std::function<std::string(const std::string& key)>;

TDefinitionLookup DefinitionValues(TCatalog& catalog, const std::string& pluginName);
