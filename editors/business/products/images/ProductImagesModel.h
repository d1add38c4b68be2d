#pragma once
// TProductImagesModel: the product's main image and thumbnail, without
// widgets (the "ProductImages" object: MainImage, ThumbnailImage, LargeImage,
// NotUseMainImageThumbnail).
//
// The thumbnail is either the main image's own thumbnail copy ("Use main
// image for thumbnail", the default) or an image chosen for it. With the
// box checked, a newly chosen main image brings its thumbnail copy along:
// the one it has, else a copy made now (DeriveThumbnail). Deleting the main
// image then also deletes the thumbnail; deleting the thumbnail unchecks the
// box. Deleting only clears a reference: the image items stay in the
// catalog.
//
// Every change is written into the editor's objects at once, so that the
// preview and the other image tabs see it and Cancel drops it; the only
// database write is a thumbnail copy made for a main image, which goes
// through the dialog write channel like the image dialog's own writes
// (DeriveThumbnailThrough), so that Cancel takes it away again.
#include "editors/site/SiteModelContext.h"

#include <functional>
#include <string>
#include <vector>

class TTolvexControlClass;

class TProductImagesModel {
public:
    // The thumbnail copy of a main image: its id, 0 when it has none and none can be made.
    using TDeriveThumbnail = std::function<int(int mainImageId)>;

    TProductImagesModel(const TSiteModelContext& context, TDeriveThumbnail derive);

    // The thumbnail copy of the image item through the editor: the one it
    // has, else one made now and committed through the dialog write channel
    // (the main image records it as its thumbnail). 0 for an item that is no image.
    static int DeriveThumbnailThrough(TTolvexControlClass& context, int mainImageId);
    // The image dialog's parameters for a main image, and for a thumbnail of its own.
    static std::vector<std::string> MainDialogParams(bool useMainForThumbnail);
    static std::vector<std::string> ThumbnailDialogParams(int mainImageId);

    // Reads the object; false (nothing to edit) when the product has none.
    bool Load();
    bool Loaded() const { return loaded_; }

    int MainImage() const { return main_; }
    int ThumbnailImage() const { return thumbnail_; }
    bool UseMainForThumbnail() const { return useMain_; }
    bool CanDeleteMain() const { return main_ != 0; }
    bool CanDeleteThumbnail() const { return thumbnail_ != 0; }
    bool CanSelectThumbnail() const { return !useMain_; }

    // The image dialog's answer for the main image (0 changes nothing) and
    // the large copy it stored with it (0: none).
    void MainChosen(int imageId, int largeImageId);
    void ThumbnailChosen(int imageId);
    // Checking the box brings the main image's thumbnail copy back.
    void SetUseMainForThumbnail(bool on);
    void DeleteMain();
    void DeleteThumbnail();

private:
    void DeriveFromMain();
    void Write(const char* member, int value);

    TSiteModelContext context_;
    TDeriveThumbnail derive_;
    bool loaded_ = false;
    int main_ = 0;
    int thumbnail_ = 0;
    bool useMain_ = true;
};
