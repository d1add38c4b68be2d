#pragma once
// An item manager: speaks for an item type as a whole (the editor's caption
// and status text, what a new item is called in the tree, the item's title
// in the preview history, what is verified when it is saved, and what must
// happen around the UI editors' save). One instance per plug-in name is
// shared by every editing context (TUIManager keeps it), so an item manager
// keeps no per-item state: everything comes from the context of each call.
//
// Validation flags: 4 error, 2 warning, 1 information.
//
// This base is the plug-in "CommonItemManager"; the managers of other item
// types derive from it and change what they need.
#include "catalog/AbstractItemManager.h"

#include <string>

class TAbstractCObject;
class TTolvexControlClass;
struct TEditingServices;

class TTolvexItemManager : public TAbstractItemManager {
public:
    TTolvexItemManager(std::string name, std::string params);

    std::string GetName() const override { return name_; }
    std::string GetParams() const override { return params_; }

    // "Tolvex", translated.
    virtual std::string GetCaption(TTolvexControlClass& context);
    // "New Item", translated; empty: the type's new items get no caption here.
    virtual std::string GetNewItemCaption(TTolvexControlClass& context);
    // Shows the main window's Save bar unless the context is nested.
    virtual void SetupContext(TTolvexControlClass& context);
    // The item's name (its id and ".html" without one), with the editing
    // language's name in brackets in a catalog of several languages.
    virtual std::string GetItemTitle(TTolvexControlClass& context);
    virtual void BeforeSave(TTolvexControlClass& /*context*/) {}
    virtual void AfterSave(TTolvexControlClass& /*context*/) {}
    // The flags; Messages receives the texts (CR LF between them).
    virtual int ValidateItem(TTolvexControlClass& context, std::string& messages);
    // The definition's "StatusBarText" (with "_" and the level above 0) of
    // this manager, translated, "$1" the item's name.
    virtual std::string GetStatusText(int level, TTolvexControlClass& context);

    // Flag when the object has no value of the member in LangCode ("XXX";
    // the default language, which a value under "XXX" also answers; another
    // language); the translated template with "$1" = LangCode goes in front
    // of Messages for flag 4 and after them otherwise. 0 without an object
    // or with a value.
    int CheckMember(TTolvexControlClass& context, TAbstractCObject* object, const std::string& memberXmlTag,
                    std::string& messages, int flag, const std::string& messageTemplate,
                    const std::string& langCode);

    // The item's name: "ItemName" of its "CommonNames" object in the
    // context's language; empty without one.
    static std::string ItemName(TTolvexControlClass& context);
    // Whether the context's item is one that validation looks at: a catalog
    // is open and the tree item id is above 0 or below -4.
    static bool IsValidated(TTolvexControlClass& context);
    // The item manager of an item type (the definition's name and
    // parameters); a manager the program does not have yet answers as this base.
    static TTolvexItemManager& ForItemType(const TEditingServices& services, int itemType);

private:
    std::string name_;
    std::string params_;
};
