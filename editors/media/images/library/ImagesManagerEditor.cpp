#include "editors/media/images/library/ImagesManagerEditor.h"

#include "editors/framework/FrameClass.h"
#include "editors/media/images/edit/ImageItemEditors.h"
#include "editors/media/images/library/FrameMediaLibrary.h"

namespace {

const TFrameClassOf<TFrameImageDB> kLibraryFrame("", "TFrameImageDB");

}  // namespace

void TImagesManagerEditor::CreatePages()
{
    AddTab("Images Management", "ImageEditor-database", &kLibraryFrame);
    AddTab("Image Editor", "ImageEditor-editor", &ImageEditingFrameClass());
}
