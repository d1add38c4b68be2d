#pragma once
// What the style manager asks of the program around it (the root object,
// which passes the window parts on from the shell).
#include <memory>
#include <string>

class TStyleDialog;
class TStyleOperation;

class TStyleManagerHost {
public:
    virtual ~TStyleManagerHost() = default;

    // A new style selection dialog; null when the program has no windows.
    virtual std::unique_ptr<TStyleDialog> CreateStyleDialog() = 0;
    // Runs an action string now; Check asks the item being edited first
    // whether it may be left.
    virtual void ExecuteAction(const std::string& action, bool check) = 0;
    // Asks the main window to open the catalog again after the current event.
    virtual void PostReopenCatalog() = 0;
    // Shows a runner window for the operation without waiting and starts it.
    virtual void StartStyleOperation(std::unique_ptr<TStyleOperation> operation) = 0;
};
