#include "storage/DataFactory.h"

#include "storage/ItemFactory.h"

TTolvexDataFactory::TTolvexDataFactory(TTolvexObjectContext& context, TAbstractDBConnection& connection)
    : context_(context), connection_(connection)
{
}

TTolvexDataFactory::~TTolvexDataFactory() = default;

TTolvexItemFactory& TTolvexDataFactory::GetItemFactory(const std::string& catalogCode)
{
    for (const auto& factory : itemFactories_)
        if (factory->GetCatalogCode() == catalogCode)
            return *factory;
    itemFactories_.push_back(std::make_unique<TTolvexItemFactory>(context_, catalogCode, connection_));
    return *itemFactories_.back();
}

bool TTolvexDataFactory::SaveAll(const std::string& catalogCode)
{
    bool result = true;
    for (const auto& factory : itemFactories_) {
        if (!result)
            break;
        if (catalogCode.empty() || factory->GetCatalogCode() == catalogCode)
            result = factory->SaveAll();
    }
    return result;
}

bool TTolvexDataFactory::WriteAll()
{
    for (const auto& factory : itemFactories_)
        if (!factory->WriteAll())
            return false;
    return true;
}

void TTolvexDataFactory::ForgetWrittenRemovals()
{
    for (const auto& factory : itemFactories_)
        factory->ForgetWrittenRemovals();
}

void TTolvexDataFactory::DiscardChanges(const std::string& catalogCode)
{
    for (const auto& factory : itemFactories_)
        if (catalogCode.empty() || factory->GetCatalogCode() == catalogCode)
            factory->DiscardChanges();
}

void TTolvexDataFactory::Clear()
{
    itemFactories_.clear();
}
