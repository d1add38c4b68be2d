#pragma once
// The services every editing context of a run reaches: the root object
// (with the open catalog, its definition and the user's preferences), the
// program's message boxes, the UI-module manager that creates editors and
// item managers, and the program around the editors. Not owned.
class TCommonGui;
class TEditorHost;
class TEditorShell;
class TTolvex;
class TUIManager;

struct TEditingServices {
    TTolvex& Root;
    TCommonGui& Gui;
    TUIManager& UI;
    // Null: no program around (no actions, messages, windows or help).
    TEditorShell* Shell = nullptr;
    // The main window's editor pane; null when there is no main window.
    TEditorHost* MainHost = nullptr;
};
