#include "editors/site/WebScript.h"

#include "common/Exceptions.h"

#include <QFile>

QString WebScript(const char* fileName)
{
    QFile file(QStringLiteral(":/scripts/") + QString::fromUtf8(fileName));
    if (!file.open(QIODevice::ReadOnly))
        throw EDeveloperTolvexException(std::string("The web script \"") + fileName + "\" is missing");
    return QString::fromUtf8(file.readAll());
}
