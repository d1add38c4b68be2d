#pragma once
// The design tree the page's script "designTree.js" gives as JSON.
#include "generation/ConverterHtml2Xsl.h"

#include <QByteArray>

// False when Json is no tree of that script.
bool DesignTreeFromJson(const QByteArray& json, TDesignNode& tree);
