#include "editors/business/products/images/FrameProductAdditionalImages.h"

TFrameProductAdditionalImages::TFrameProductAdditionalImages(TFrameSite& site) : TFrameMultipleImageDataEditor(site)
{
    setObjectName("TFrameProductAdditionalImages");
    Config.ClassTag = "MultipleAdditionalImages";
    Config.Member = "AdditionalImage";
    Config.FolderName = "Product Photos";
    Config.NeedLargeCopy = true;
}
