#include "catalog/conversion/ConversionDefinitions.h"

#include "storage/GlobalDefinition.h"
#include "storage/TolvexObjectContext.h"

#include <charconv>

namespace {

// A whole positive number; 0 when the text is none.
int NumberOf(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value > 0 ? value : 0;
}

}  // namespace

int TConversionDefinitions::ResolveItemId(const std::string& idName)
{
    if (const int number = NumberOf(idName))
        return number;
    return names_.GetItemIdByName(idName);
}

int TConversionDefinitions::ResolveItemType(const std::string& typeName)
{
    if (const int number = NumberOf(typeName))
        return number;
    return names_.GetItemTypeByName(typeName);
}

int TConversionDefinitions::GetClassId(const std::string& classXmlTag)
{
    return classes_.GetClassId(classXmlTag);
}

TAbstractCClassDefinition* TConversionDefinitions::GetClassDefinition(int classId)
{
    return classes_.GetClassDefinition(classId);
}
