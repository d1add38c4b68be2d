#include "generation/XmlBuilderRunCache.h"

#include "generation/XmlKeptElements.h"

TXmlBuilderRunCache::TXmlBuilderRunCache() : kept_(std::make_shared<TXmlKeptElements>()) {}

TXmlBuilderRunCache::~TXmlBuilderRunCache() = default;

xmlDict* TXmlBuilderRunCache::Names() const
{
    return kept_->Names();
}

const std::vector<int>& TXmlBuilderRunCache::Ids(const std::string& key, const std::function<std::vector<int>()>& read)
{
    auto found = ids_.find(key);
    if (found == ids_.end())
        found = ids_.emplace(key, read()).first;
    return found->second;
}

bool TXmlBuilderRunCache::CopyElements(const std::string& key, xmlDoc* document, xmlNode* target)
{
    return kept_->Put(key, document, target);
}

void TXmlBuilderRunCache::RememberElements(const std::string& key, const xmlNode* first)
{
    kept_->Remember(key, first);
}
