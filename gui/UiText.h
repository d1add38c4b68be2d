#pragma once
// Texts of the windows: the translation service's translation of an English
// text (the English text while there is no service, TTranslation::OrEnglish),
// as a QString; and the two ways between the program's UTF-8 std::string and
// QString.
#include <QString>

#include <string>

namespace UiText {

QString Tr(const std::string& text);
// Translated only when Translate is set.
QString TrIf(const std::string& text, bool translate);
inline QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline std::string S(const QString& text) { return text.toUtf8().toStdString(); }
// Text that may hold an item's name, at most MaxLength characters: the
// rest replaced by "…".
QString Shortened(const std::string& text, qsizetype maxLength);
// A window title that may hold an item's name: at most a hundred characters.
QString Title(const std::string& text);

}  // namespace UiText
