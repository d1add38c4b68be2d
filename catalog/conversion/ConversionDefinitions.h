#pragma once
// The names the light-weight writers resolve while a catalog is converted:
// item ids and item types by the catalog description's symbolic names (a
// number stands for itself), classes through the object context.
#include "storage/LWDefinitionLookup.h"

class TGlobalDefinition;
class TTolvexObjectContext;

class TConversionDefinitions : public TLWDefinitionLookup {
public:
    // Both are not owned and must outlive this lookup.
    TConversionDefinitions(TGlobalDefinition& names, const TTolvexObjectContext& classes)
        : names_(names), classes_(classes)
    {
    }

    int ResolveItemId(const std::string& idName) override;
    int ResolveItemType(const std::string& typeName) override;
    int GetClassId(const std::string& classXmlTag) override;
    TAbstractCClassDefinition* GetClassDefinition(int classId) override;

private:
    TGlobalDefinition& names_;
    const TTolvexObjectContext& classes_;
};
