#pragma once
// The decisions of the image dialog's "Image From Disk" and "Image From
// Internet" tabs, without widgets: which panels and boxes the loaded picture
// calls for (from the dialog's parameters: sizes and the copies offered),
// the image's name in each language, and the store on OK.
//
// The store is whole or absent. The user's questions come first (an image
// of the same name: replace it?), then every picture is encoded (the main
// picture and its copies, each scaled from the loaded one); a picture that
// cannot be encoded is a message and stores nothing, so an overwritten
// image and the pages that use it stay as they were. Only then is anything
// written, in one write committed through the editor that opened the dialog
// (TDialogWriteChannel): its Save keeps the image, its Cancel takes a new
// image away or puts a replaced one back.
//
// Parameters read: "NeedThumbnailCopy", "CanThumbnailCopy",
// "MustThumbnailCopy", "NeedLargeCopy", "CanLargeCopy", "CanBackground",
// "DontDefaultMainScale", "ShowHtmlAttributes" ("yes" for each);
// "MainImageSize", "ThumbnailImageSize", "LargeImageSize"; "FolderName",
// "ParentItemId", "SaveAsThumbnail". Answers written: "ImageItemId",
// "Caption", "AltFileName", "ImageMimeType", "ImageWidth", "ImageHeight",
// "ImageBytes", "IsBackground", the "Thumbnail..." and "Large..." keys of a
// copy stored now, and with the HTML attributes "Alt", "Description",
// "BorderThinkness", "BorderColor", "Alignment", "HorizontalSpacing",
// "VerticalSpacing", "PopupLarge".
#include "common/PictureEncoding.h"
#include "editors/media/images/ImageHtmlAttributes.h"

#include <map>
#include <string>
#include <vector>

class TTolvexControlClass;

class TImageInsertModel {
public:
    // The option flags, as the parameters set them.
    enum TFlag : int {
        NeedThumbnail = 1,
        CanThumbnail = 2,
        MustThumbnail = 4,
        NeedLarge = 8,
        CanLarge = 0x20,
        CanBackground = 0x40,
        DontDefaultMainScale = 0x80,
    };

    // What the tab shows: panels, boxes, their ticks and whether they can be changed.
    struct TControls {
        bool PreviewVisible = false;
        bool NamePanel = false;
        bool BackgroundVisible = false;
        bool Background = false;
        bool MainPanel = false;
        bool MainScale = false;
        bool ThumbnailPanel = false;
        bool SaveThumbnail = false;
        bool SaveThumbnailEnabled = true;
        bool ScaleThumbnail = false;
        bool ThumbnailScaleVisible = false;
        bool ThumbnailTypeVisible = false;
        bool LargePanel = false;
        bool SaveLarge = false;
        bool ScaleLarge = false;
        bool LargeScaleVisible = false;
        bool PopupLargeVisible = false;
        bool PopupLarge = false;
        bool HtmlPanel = false;
    };

    // The HTML attribute panel's values.
    using THtml = TImageHtmlAttributes;

    // What is stored: the picture, the type asked for, the fields.
    struct TStoreRequest {
        const TPicture* Picture = nullptr;
        std::string MimeType;
        std::string AltFileName;
    };

    // Only "-", "0"-"9", "A"-"Z", "_" and "a"-"z" are kept.
    static std::string FilterAltFileName(const std::string& text);

    // ---- set-up ---------------------------------------------------------------------------------
    // Reads the flags and sizes; with the HTML panel, the catalog's spacing
    // and alignment defaults (properties 726, 727, 728) through Context.
    void ReadParams(const std::vector<std::string>& params, TTolvexControlClass* context);
    int Flags() const { return flags_; }
    bool Has(TFlag flag) const { return (flags_ & flag) != 0; }

    // ---- the rules ------------------------------------------------------------------------------
    // A picture of that size was loaded.
    void PictureLoaded(int width, int height);
    // The user ticked or unticked a box (the rules of the boxes that follow it run).
    void SetMainScale(bool on);
    void SetSaveThumbnail(bool on);
    void SetSaveLarge(bool on);
    void SetScaleThumbnail(bool on) { controls_.ScaleThumbnail = on; }
    void SetScaleLarge(bool on) { controls_.ScaleLarge = on; }
    void SetBackground(bool on) { controls_.Background = on; }
    void SetPopupLarge(bool on) { controls_.PopupLarge = on; }
    const TControls& Controls() const { return controls_; }

    // The sizes and scale types of the three pictures, as the fields hold them.
    int MainSize = 0;
    int ThumbnailSize = 0;
    int LargeSize = 0;
    TImageScaleType MainType = TImageScaleType::Maximal;
    TImageScaleType ThumbnailType = TImageScaleType::Maximal;
    TImageScaleType LargeType = TImageScaleType::Maximal;
    THtml Html;

    // ---- names ----------------------------------------------------------------------------------
    // The name typed in a language (the name field shows the current language's).
    void SetName(const std::string& lang, const std::string& name);
    std::string NameIn(const std::string& lang) const;
    // The proposed name of a file or an address: after the last "/" or "\", before the first ".".
    static std::string NameOfPath(const std::string& path);

    // ---- addresses ------------------------------------------------------------------------------
    // The address to download: trimmed; "http://" put in front of one
    // without a scheme. Empty, with Error set ("Please, enter URL of an
    // image first", "Unsupported protocol"), for an empty one and for a
    // scheme other than http and https.
    static std::string ImageAddress(const std::string& typed, std::string& error);
    // The MIME type a downloaded picture is stored as: the one its address's
    // extension names, else the image type the server sent.
    static std::string MimeTypeOfDownload(const std::string& address, const std::string& contentType);

    // ---- storing --------------------------------------------------------------------------------
    // Stores the picture as the parameters say and writes the answers into
    // them (Context's parameter list); NameField is the name field's text
    // in the current language. False when the picture could not be stored
    // (the user was told; nothing was written). True also when the user
    // chose Cancel at the question about an image of the same name
    // (nothing stored, no answers).
    bool Store(TTolvexControlClass& context, const TStoreRequest& request, const std::string& nameField);

private:
    void ThumbnailRule();
    void MainScalingRule();
    void LargeCopyRule();
    bool Exceeds(int size) const { return width_ > size || height_ > size; }
    // 0 none; -1 the user cancelled; else the id of the image to replace.
    int ImageOfSameName(TTolvexControlClass& context);

    int flags_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool loaded_ = false;
    TControls controls_;
    std::map<std::string, std::string> names_;
};
