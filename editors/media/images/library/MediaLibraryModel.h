#pragma once
// TMediaLibraryModel: what the picture library and the binary-object
// library decide, without widgets. The library is the tree under item 3
// (pictures) or item 4 (binary objects) with its folders; new folders,
// renames, moves and deletions are commands on the tree data model's undo
// stack, shown at once and written by the save (undoable until then,
// dropped by Cancel).
//
// A picture or object is deleted only when nothing uses it (TMediaUsage):
// the check runs when the user deletes it, and again inside the save's unit
// of work, so that a reference saved in between keeps it. "Delete All
// Unreferenced" removes every unused item from the tree in one command,
// written the same way. A folder goes only when it is empty.
//
// Alternative file names typed for an item are kept until the save too.
#include "catalog/media/MediaUsage.h"
#include "editors/site/lists/FrameTreeDataEditorModel.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>

class TMediaLibraryModel : public TFrameTreeDataEditorModel {
public:
    // Settings: SettingsOf(Kind), as a frame may adjust them.
    TMediaLibraryModel(const TSiteModelContext& context, TMediaKind kind, TSettings settings);
    TMediaLibraryModel(const TSiteModelContext& context, TMediaKind kind)
        : TMediaLibraryModel(context, kind, SettingsOf(kind))
    {
    }

    static TSettings SettingsOf(TMediaKind kind);
    TMediaKind Kind() const { return kind_; }
    int ItemType() const { return TMediaUsage::ItemTypeOf(kind_); }

    bool IsMediaItem(int itemId) const;
    bool IsFolder(int itemId) const;
    // "Delete" for one node: a folder with children, and an item in use,
    // are refused with the error given back; an item is deleted after Ask
    // says yes to the question. Empty when nothing is to be said.
    std::string DeleteNode(int itemId, const TAsk& ask);
    // Removes every unused item from the tree as one command; the count of
    // items removed (copies included), 0 when there was nothing to remove.
    int DeleteUnreferenced();
    // The folder an import goes to: the selected folder's caption, or that
    // of the selected node's parent when it is a folder; empty otherwise.
    std::string ImportFolderName(int selectedId) const;

    // The alternative file name shown for the item: the one typed and not
    // yet saved, else the stored one (of the item whose data the node shows).
    std::string AltFileName(int itemId) const;
    // Keeps a typed alternative file name (filtered) for the save; false when unchanged.
    bool SetAltFileName(int itemId, const std::string& name);
    bool HasPendingNames() const { return !altNames_.empty(); }

    // Before Store: the deletions that follow read the references once,
    // inside the save's unit of work. After it: the deletions Store decided
    // are written together, and the typed names.
    void BeginStore();
    void FinishStore();
    // Drops what was typed (a cancel).
    void DropNames() { altNames_.clear(); }

    // What a binary object holds: its original file name, MIME type and size.
    struct TObjectFacts {
        std::string FileName;
        std::string MimeType;
        std::int64_t Bytes = 0;
    };
    TObjectFacts ObjectFacts(int itemId) const;
    // The picture's MIME type as stored; empty when it has none.
    std::string ImageMimeType(int itemId) const;
    int DataItemIdOf(int itemId) const { return DataItemId(itemId); }

    // The messages of the libraries.
    std::string DeleteQuestionText() const;
    std::string InUseText() const;
    std::string NothingToDeleteText() const;
    std::string DeletedText(int count) const;

protected:
    bool WriteDelete(int itemId) override;

private:
    std::string Tr(const std::string& text, const std::string& arg = std::string()) const;
    int DataItemId(int itemId) const;

    const TSiteModelContext context_;
    TMediaKind kind_;
    std::unique_ptr<TMediaUsage> storeUsage_;
    std::map<int, std::string> altNames_;
};
