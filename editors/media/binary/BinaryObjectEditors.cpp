#include "editors/media/binary/BinaryObjectEditors.h"

#include "editors/framework/FrameClass.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/media/binary/FrameObjectDB.h"
#include "editors/media/binary/FrameObjectDisk.h"
#include "storage/NameValueLines.h"

namespace {

const TFrameClassOf<TFrameObjectDisk> kDiskFrame("", "TFrameObjectDisk");
const TFrameClassOf<TFrameObjectDB> kDatabaseFrame("", "TFrameObjectDB");

}  // namespace

TObjectRef::TObjectRef(std::string name, std::string params) : TTolvexUIEditor(std::move(name), std::move(params))
{
    ActiveTabOnly = true;
}

void TObjectRef::CreatePages()
{
    const std::vector<std::string>* params = GetContext()->GetParams();
    AddTab("Object From Disk", "ObjectRef-disk", &kDiskFrame);
    if (!params || ValueOfName(*params, "DontShowDatabaseList") != "yes")
        AddTab("Object From Database", "ObjectRef-database", &kDatabaseFrame);
}

void TObjectRef::GetPreferredSize(int& width, int& height) const
{
    // The library's tree and the object's facts side by side.
    width = 640;
    height = 420;
}

void TBinaryObjectsManagerEditor::CreatePages()
{
    AddTab("Binary Objects Management", "BinaryObjectEditor-database", &kDatabaseFrame);
}
