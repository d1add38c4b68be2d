#pragma once
// What the light-weight writers need to know about the catalog type they
// write: item ids and item types by their symbolic names, and object classes
// by their XML tags. The conversion wires in the catalog definition and the
// classes list; tests give a small table.
#include <string>

class TAbstractCClassDefinition;

class TLWDefinitionLookup {
public:
    virtual ~TLWDefinitionLookup() = default;

    // The item id of a symbolic name: a number other than 0 stands for
    // itself, any other text is looked up in the catalog definition; 0 when
    // the name is unknown.
    virtual int ResolveItemId(const std::string& idName) = 0;
    // The item type of a symbolic name, resolved in the same way; 0 when unknown.
    virtual int ResolveItemType(const std::string& typeName) = 0;
    // The ClassId of the class with that XML tag; 0 when there is none.
    virtual int GetClassId(const std::string& classXmlTag) = 0;
    // The definition of a class, not owned; null when there is none.
    virtual TAbstractCClassDefinition* GetClassDefinition(int classId) = 0;
};
