#pragma once
// The "Value for all languages" dialog: one text member of an object in
// every catalog language at once, one row (label and edit) per language in
// the catalog's order. The current editing language's row shows the text
// the caller's edit holds, not the stored one. Ok writes every row into the
// object (in memory: it reaches the database with the item's save).
#include <QDialog>

#include <string>
#include <vector>

class QLineEdit;
class TTolvexControlClass;

class TfrmEditValueAllLanguages : public QDialog {
    Q_OBJECT
public:
    TfrmEditValueAllLanguages(TTolvexControlClass& context, QWidget* owner);

    // Value: the current language's text in, its new text out (unchanged on
    // Cancel). True when closed with Ok.
    static bool Edit(TTolvexControlClass& context, QWidget* owner, int itemId, const std::string& classXmlTag,
                     const std::string& memberXmlTag, std::string& value);

    void Fill(int itemId, const std::string& classXmlTag, const std::string& memberXmlTag,
              const std::string& currentValue);
    // Writes the rows into the object; false when the object is gone.
    bool WriteValues(std::string& currentValue);
    QLineEdit* Edit(const std::string& langCode) const;

private:
    TTolvexControlClass& context_;
    int itemId_ = 0;
    std::string classXmlTag_;
    std::string memberXmlTag_;
    std::vector<std::pair<std::string, QLineEdit*>> rows_;
};
