#pragma once
// The XML namespace of the generation rules written inside page templates.
//
// Master and body templates declare it with the prefix "tolvex" and hold
// their rules as "tolvex:xml-generation-rule" elements (XSLT ignores
// top-level elements of foreign namespaces). The rule reader binds the same
// prefix to the same URI when it selects the rules, and the default custom
// style sheet declares it too, so every template a catalog holds agrees on it.

inline constexpr const char* TolvexNamespacePrefix = "tolvex";
inline constexpr const char* TolvexNamespaceUri = "urn:tolvex:xml-generation";
// Name of a rule element, without its prefix.
inline constexpr const char* TolvexRuleElementName = "xml-generation-rule";
