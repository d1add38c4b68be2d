#include "storage/ProgramDatabases.h"

#include "common/Exceptions.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/GlobalDefinition.h"
#include "storage/References.h"

TProgramDatabases::TProgramDatabases(TGlobalDefinition& globalDefinition, TReferences& references)
    : globalDefinition_(globalDefinition), references_(references)
{
}

TAbstractDBConnection& TProgramDatabases::ConnectionFor(const std::string& prefix)
{
    if (prefix == kCatalogsPrefix)
        return globalDefinition_.GetCatalogsDatabase().GetConnection();
    if (prefix == kReferencesPrefix)
        return references_.GetReferencesDatabase().GetConnection();
    if (prefix == kUnspscPrefix)
        return globalDefinition_.GetUnspscDatabase().GetConnection();
    if (prefix == kHarmonizedPrefix)
        return globalDefinition_.GetHarmonizedDatabase().GetConnection();
    if (prefix == kEBayPrefix)
        return globalDefinition_.GetEBayDatabase().GetConnection();
    if (prefix == kZarivuroPrefix)
        return globalDefinition_.GetZarivuroDatabase().GetConnection();
    if (prefix == kStylePrefix) {
        TAbstractDBConnection* style = styleSource_ ? styleSource_() : nullptr;
        if (!style)
            throw EDeveloperTolvexException("Request connection for not opened catalog type");
        return *style;
    }
    TAbstractDBConnection* catalog = catalogSource_ ? catalogSource_() : nullptr;
    return catalog ? *catalog : globalDefinition_.GetCatalogsDatabase().GetConnection();
}
