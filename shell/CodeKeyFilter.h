#pragma once
// Filters the keys typed into a code edit (catalog codes): "-", digits,
// a-z and backspace pass, capitals arrive in lower case, every other
// character is swallowed. Pasted text is not filtered.
#include <QObject>

class QLineEdit;

class TCodeKeyFilter : public QObject {
    Q_OBJECT
public:
    // Installs a filter owned by the edit.
    static void Install(QLineEdit* edit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
