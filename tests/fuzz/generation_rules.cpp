// Generation rules on any text: as a rule text, and as a template whose rule
// elements give rule texts. Reading them never fails.
#include "common/Exceptions.h"
#include "common/ParamList.h"
#include "generation/GenerationRule.h"
#include "generation/TemplatesRuleCache.h"
#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

void ReadRule(const std::string& text)
{
    const TGenerationRule rule(text);
    for (const char* key : {"Action", "ItemId", "TagName", "LinkGroup", "ProcessFor", "Condition"})
        rule.Value(key);
    for (const char* key : {"ClassXmlTag", "ItemType", "ProcessForItemType"})
        rule.Values(key);
    rule.LastValue("CatalogCode");
    const TCondition condition = TGenerationRule::ReadCondition(rule.Value("Condition"), rule.Value("XmlCondition"));
    FUZZ_CHECK(condition.Active == (condition.Kind != TCondition::ckNone));
    try {
        TParamList::SplitFields(text, ';', true);  // the decoding form that other readers use
    } catch (const ECriticalTolvexException&) {
        // a "%" without two hexadecimal digits
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    ReadRule(text);
    std::vector<std::string> rules;
    if (TTemplatesRuleCache::ReadRules(text, "", rules))
        for (const std::string& rule : rules) {
            FUZZ_CHECK(!rule.empty() && rule.back() == '&');
            ReadRule(rule);
        }
    return 0;
}
