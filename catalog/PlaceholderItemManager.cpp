#include "catalog/PlaceholderItemManager.h"

TPlaceholderItemManager::TPlaceholderItemManager(std::string name, std::string params,
                                                 std::string standsFor)
    : name_(std::move(name)), params_(std::move(params)), standsFor_(std::move(standsFor))
{
}
