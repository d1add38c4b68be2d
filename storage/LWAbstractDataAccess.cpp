#include "storage/LWAbstractDataAccess.h"

#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"

TLWAbstractDataAccess* TLWAbstractDataAccess::SetCurrent(TLWAbstractDataAccess* dataAccess)
{
    TLWAbstractDataAccess* previous = current_;
    current_ = dataAccess;
    return previous;
}

TLWAbstractDataAccess& TLWAbstractDataAccess::Current()
{
    if (!current_)
        throw EDeveloperTolvexException("No light-weight data access is current");
    return *current_;
}

std::string TLWAbstractDataAccess::LowerCatalogCode() const
{
    return common_detail::LowerCase(catalogCode_);
}
