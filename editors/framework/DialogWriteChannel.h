#pragma once
// How a dialog's writes reach the editor that opened it.
//
// A dialog (an editor window opened with RunDialog: the image dialog and
// every picture dialog after it) runs on the connection of the editor that
// opened it. Left in that connection's unit of work, its writes would hold
// the database's write lock while the user goes on editing, and another
// editor could not save. So the editing context that owns a connection (it
// opened it) answers for every write made on it: a context on a borrowed
// connection (a dialog, a nested editor) hands each write to the owner,
// which commits it at once (TTolvexControlClass::CommitNow) and keeps the
// action that undoes it (AddUndoAction). The owner's Save keeps the write;
// its Cancel applies the undo, last first: a new picture goes again, a
// replaced one comes back.
//
// A dialog frame writes catalog items through CommitItems:
//
//   TDialogWriteChannel channel(*GetContext());
//   channel.CommitItems({existingImageId}, [&](TAbstractDBConnection& connection) {
//       ... change the existing image, create its copies ...
//       return createdItemIds;               // the undo deletes them
//   });
//
// Writes of any other kind go through Commit with an undo of their own.
// On a connection no context owns (the main connection, which has no unit
// of work) a write takes effect at once and there is nothing to undo.
#include <functional>
#include <vector>

class TAbstractDBConnection;
class TTolvexControlClass;

class TDialogWriteChannel {
public:
    using TWrite = std::function<void(TAbstractDBConnection&)>;
    // A write that answers the ids of the items it created.
    using TItemWrite = std::function<std::vector<int>(TAbstractDBConnection&)>;

    explicit TDialogWriteChannel(TTolvexControlClass& context) : context_(context) {}

    // Commits Write at once; the owner's Cancel applies Undo.
    void Commit(const TWrite& write, TWrite undo);
    // Commits Write, which may change the rows of ChangedItems (items that
    // exist now) and answers the items it created. The owner's Cancel
    // deletes the created items and puts every row of ChangedItems back as
    // it was. Answers the created items.
    std::vector<int> CommitItems(const std::vector<int>& changedItems, const TItemWrite& write);

    // The context that owns Connection; null when none does. Contexts
    // register the connection they open and unregister it when they go.
    static TTolvexControlClass* OwnerOf(const TAbstractDBConnection& connection);
    static void SetOwner(const TAbstractDBConnection& connection, TTolvexControlClass* owner);

private:
    TTolvexControlClass& context_;
};
