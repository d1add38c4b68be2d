#include "editors/media/images/library/ImagesManagerEditor.h"

#include "catalog/PlaceholderFrameClass.h"
#include "editors/framework/FrameClass.h"
#include "editors/media/images/library/FrameMediaLibrary.h"

namespace {

const TFrameClassOf<TFrameImageDB> kLibraryFrame("", "TFrameImageDB");
// The editing frame of the chosen picture, resolved by its class name.
const TPlaceholderFrameClass kEditFrame("ImageEditor-editor", "TFrameEditImages");

}  // namespace

void TImagesManagerEditor::CreatePages()
{
    AddTab("Images Management", "ImageEditor-database", &kLibraryFrame);
    AddTab("Image Editor", "ImageEditor-editor", &kEditFrame);
}
