#include "editors/media/images/edit/ImageItemEditors.h"

#include "editors/framework/FrameClass.h"
#include "editors/media/images/edit/FrameEditImages.h"
#include "editors/media/images/edit/FrameImageEditor.h"

const TAbstractFrameClass& ImageItemFrameClass()
{
    static const TFrameClassOf<TFrameImageEditor> frame("", "TFrameImageEditor");
    return frame;
}

const TAbstractFrameClass& ImageEditingFrameClass()
{
    static const TFrameClassOf<TFrameEditImages> frame("", "TFrameEditImages");
    return frame;
}

void TImageEdit::CreatePages()
{
    AddTab("Image", "ImageEditor-basic", &ImageItemFrameClass());
    AddTab("Image Editor", "ImageEditor-editor", &ImageEditingFrameClass());
}

void TImagesEditor::CreatePages()
{
    AddTab("Image Editor", "ImageEditor-editor", &ImageEditingFrameClass());
}
