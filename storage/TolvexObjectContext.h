#pragma once
// What catalog objects, the object factory and the item cache reach beyond
// their own rows: the classes list, the open catalog (with its languages
// and sequences), the resolution of item names in member tags, and the
// InstanceIds that caches hold pending. The root object sets one up at
// start and tells it when a catalog opens and closes; tests set up their own.
#include "storage/TolvexObjectInstanceIds.h"

#include <functional>
#include <string>

class TAbstractCatalog;
class TAbstractCClassDefinition;

class TTolvexObjectContext {
public:
    // A class definition by ClassId (null when there is none; not owned).
    using TClassDefinitionLookup = std::function<TAbstractCClassDefinition*(int classId)>;
    // A ClassId by class tag, compared without regard to letter case (0 when none).
    using TClassIdLookup = std::function<int(const std::string& classXmlTag)>;
    // The item named by a text ("current", "currenttree", a number, an
    // item tag ...), as the catalog definition resolves it.
    using TItemIdResolver = std::function<int(const std::string& text, int currentId, int currentTreeId)>;

    TTolvexObjectContext(TClassDefinitionLookup classDefinition, TClassIdLookup classId);
    TTolvexObjectContext(const TTolvexObjectContext&) = delete;
    TTolvexObjectContext& operator=(const TTolvexObjectContext&) = delete;

    // The open catalog; null while none is open. Not owned.
    void SetOpenCatalog(TAbstractCatalog* catalog) { catalog_ = catalog; }
    TAbstractCatalog* GetOpenCatalog() const { return catalog_; }
    // Without a resolver, numbers, "current", "process" and "currenttree" are understood.
    void SetItemIdResolver(TItemIdResolver resolver) { resolver_ = std::move(resolver); }

    TAbstractCClassDefinition* GetClassDefinition(int classId) const;
    int GetClassId(const std::string& classXmlTag) const;
    // The open catalog's current and default languages; "XXX" when none is open.
    std::string GetCurrentLangCode() const;
    std::string GetDefaultLangCode() const;
    // Whether a stored value of the language is kept: always while no
    // catalog is open, otherwise when the catalog has the language.
    bool IsLanguageKept(const std::string& langCode) const;
    int ResolveItemId(const std::string& text, int currentId, int currentTreeId) const;

    TTolvexObjectInstanceIds& PendingInstanceIds() { return pendingInstanceIds_; }

private:
    TClassDefinitionLookup classDefinition_;
    TClassIdLookup classId_;
    TItemIdResolver resolver_;
    TAbstractCatalog* catalog_ = nullptr;
    TTolvexObjectInstanceIds pendingInstanceIds_;
};
