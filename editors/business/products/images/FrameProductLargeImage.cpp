#include "editors/business/products/images/FrameProductLargeImage.h"

TFrameProductLargeImage::TFrameProductLargeImage(TFrameSite& site) : TFrameImageDataEditor(site)
{
    setObjectName("TFrameProductLargeImage");
    Config.ClassTag = "ProductImages";
    Config.Member = "LargeImage";
    // The picture is stored as it comes, in the image dialog's default folder.
    Config.FolderName.clear();
}
