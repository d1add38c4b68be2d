#pragma once
// Localising a window: its captions, hints and texts pass through the
// translation service and its controls get the user-interface font. The
// English source of every text is kept on the control, so a window can be
// localised again after the language changed.
//
// Control tags (the dynamic property "tolvexTag"): exactly 0x800000 keeps a
// control and everything below it untranslated; bit 0x400000 keeps its
// font size.
#include <string>

class QWidget;
class TTranslation;

inline constexpr int kTagUntranslated = 0x800000;
inline constexpr int kTagKeepFontSize = 0x400000;
inline constexpr const char* kTagProperty = "tolvexTag";

// FontName empty or FontSize 0: the font is left as it is.
void TranslateControl(QWidget* control, const TTranslation& translation, const std::string& fontName, int fontSize);
