#pragma once
// Small operations every window of the program shares: the
// caption-and-value convention of combo and list boxes ("caption===value",
// only the caption shown), the key filters, the shared form key handling,
// focus and page operations, and fitting a picture into a box.
//
// Control tags (the dynamic property "tolvexTag"): 0x8000 makes Enter move
// the focus on as from an edit; 0x10000 keeps Enter from being
// intercepted; 0x200000 makes a combo box report a selection set by
// program as a change.
#include <QRect>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QKeyEvent;
class QListWidget;
class QTabWidget;
class QWidget;

namespace ControlOperations {

inline constexpr int kTagEnterMovesFocus = 0x8000;
inline constexpr int kTagEnterNotIntercepted = 0x10000;
inline constexpr int kTagComboChangeByProgram = 0x200000;

int TagOf(const QWidget* widget);

// The entry caption + "===" + value (shown as the caption).
void AddComboBoxItem(QComboBox* combo, const QString& caption, const QString& value);
// Name=Value lines as entries name===value (value===name with ValueFirst).
void FillCaptionValueList(std::vector<std::string>& strings, const std::vector<std::string>& nameValues,
                          bool valueFirst, bool clearFirst);
// Selects the first entry whose value equals Value, comparing at most the
// first 32 characters of the entry's value (case-sensitive); otherwise the
// default index (nothing when it is beyond the entries). A combo whose tag
// has 0x200000 reports the change; others change silently. True when an
// entry of that value was found.
bool SelectComboBoxValue(QComboBox* combo, const QString& value, int defaultIndex);
QString GetComboBoxValue(const QComboBox* combo);
QString GetComboBoxCaption(const QComboBox* combo);
QString GetListBoxValue(const QListWidget* list);

// Key filters on a typed character; a swallowed key becomes 0.
// Codes: backspace, "-", digits and a-z pass, A-Z become lower case.
void FilterCodeKey(QChar& key);
void UpperCaseKey(QChar& key);

// The window's shared key handling: Ctrl+A selects all in the focused
// control, Ctrl+F asks for the find dialog, Enter moves the focus on
// (swallowed for single-line edits, check boxes and tag 0x8000). True when
// the key was handled (swallowed).
bool HandleFormKeyPress(QWidget* window, QKeyEvent* event, const std::function<void()>& showFind);

bool IsShowing(const QWidget* control);
bool TryFocusControl(QWidget* control);
void ShowSingleTab(QTabWidget* tabs, QWidget* page);
void SetActivePageIndex(QTabWidget* tabs, int index);

// A picture of PictureSize fitted into a box, 4 pixels inside its edges,
// centred when asked; 0 x 0 when the box is 8 pixels or less.
QRect FitImage(int left, int top, int boxWidth, int boxHeight, QSize pictureSize, bool centre);

}  // namespace ControlOperations
