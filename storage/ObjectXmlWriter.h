#pragma once
// Writes a catalog object into the page XML: one element named by the class
// tag, with attributes that identify the object, and one child element per
// member value and language, whose form depends on the member type.
//
// Element names come from the class and member tags of the class
// definitions; a tag that is no valid XML name raises
// ECriticalTolvexException naming the class and the member, so that a
// damaged definition never yields a broken page. Objects nested through
// member types 105 to 107 are written inside their member element; an
// object that is already being written further out is not written again,
// so references that run in a circle end.
#include "storage/TolvexObject.h"

#include <set>
#include <string>

typedef struct _xmlDoc xmlDoc;
typedef struct _xmlNode xmlNode;

class TObjectXmlWriter {
public:
    TObjectXmlWriter(TTolvexObject& object, xmlDoc* doc, TTolvexObject::TXmlChain& chain);

    // Appends the object's element to Parent and returns it; null when the
    // class has no tag. The object is loaded and visible.
    xmlNode* WriteObject(xmlNode* parent, const std::string& attrName, const std::string& attrValue, int flags);
    // Writes one member value (Lang "DEF" reads the default language).
    void WriteMember(int memberId, const std::string& lang, int index, xmlNode* objectElement);

private:
    // The indexes to write in a language pass, sorted as texts.
    std::set<std::string> IndexList(int memberId, const std::string& passLang);
    void WriteMemberPasses(int memberId, xmlNode* objectElement);
    void WriteText(xmlNode* element, int memberId, const std::string& lang, int index, bool isList);
    void WriteSet(xmlNode* element, int memberId, const std::string& lang);
    void WritePieces(xmlNode* objectElement, const std::string& tag, int memberId, const std::string& lang, int index);
    void WriteInteger(xmlNode* element, int memberId, const std::string& lang, int index, bool isList);
    void WriteDate(xmlNode* element, double days, bool withDate, bool withTime);
    void WriteBinaryInfo(xmlNode* element, int memberId, const std::string& lang, int index);
    void WriteNested(xmlNode* element, std::unique_ptr<TTolvexObject> nested);
    void WriteReferencedItem(xmlNode* element, int itemId, int classId);
    std::string MemberTag(int memberId) const;

    TTolvexObject& object_;
    xmlDoc* doc_;
    TTolvexObject::TXmlChain& chain_;
};
