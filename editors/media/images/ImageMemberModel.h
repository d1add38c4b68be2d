#pragma once
// Image-reference members (member type 106: the item id of an image) edited
// without widgets. The single member: the image shown, "Select" (the image
// dialog's answer is written into the member at once, in the editor's
// objects), "Delete" (the member becomes 0 when the frame stores). The
// multi-valued member: a list of rows (caption, image id), added to and
// deleted from, stored in row order at indexes 0, 1, 2 ... Neither changes
// an image item; they store ids only, in the editor's objects, so that the
// editor's Cancel drops them (and the image dialog's writes are its own
// undo, see TDialogWriteChannel).
#include <string>
#include <vector>

class TAbstractCObject;
class TTolvexControlClass;

// Which member of which object, and what the image dialog is asked for.
struct TImageMemberConfig {
    std::string ClassTag;
    std::string Member;
    bool NeedLargeCopy = false;
    bool NeedThumbnailCopy = false;
    std::string FolderName = "Imported";
    // The width the dialog scales the picture to; 0: the catalog's own.
    int MainImageSize = 0;
    // The item whose object is edited; 0: the editing context's item.
    int ItemId = 0;

    // The parameter list of the image dialog: "FolderName" (when set),
    // "MainImageSize" (when set), "NeedLargeCopy", "NeedThumbnailCopy" as configured.
    std::vector<std::string> DialogParams() const;
};

class TImageMemberModel {
public:
    TImageMemberModel(TTolvexControlClass& context, TImageMemberConfig config);

    const TImageMemberConfig& Config() const { return config_; }
    TImageMemberConfig& Config() { return config_; }

    // Reads the member in the current editing language; the image id (0:
    // none, also when the item has no such object, Loaded() then false).
    int Load();
    bool Loaded() const { return !lang_.empty(); }
    int ImageId() const { return imageId_; }
    // The image the dialog answered: written into the member at once; 0 changes nothing.
    void Select(int imageId);
    void Delete() { imageId_ = 0; }
    // The deleted image as 0 in the member, in the language it was loaded in.
    void Store();

private:
    TAbstractCObject* Object();

    TTolvexControlClass& context_;
    TImageMemberConfig config_;
    std::string lang_;
    int imageId_ = 0;
};

class TMultipleImageMemberModel {
public:
    struct TRow {
        std::string Caption;
        int ImageId = 0;
    };

    TMultipleImageMemberModel(TTolvexControlClass& context, TImageMemberConfig config);

    TImageMemberConfig& Config() { return config_; }
    // Reads every value of the member, each image's name in the current
    // language (the default language's, any name, else "(No name for the
    // language)"); false when the item has no such object.
    bool Load();
    const std::vector<TRow>& Rows() const { return rows_; }
    void Add(const std::string& caption, int imageId);
    void Remove(std::size_t row);
    // The rows as the member's values, in row order.
    void Store();

private:
    TAbstractCObject* Object();

    TTolvexControlClass& context_;
    TImageMemberConfig config_;
    std::string lang_;
    std::vector<TRow> rows_;
};
