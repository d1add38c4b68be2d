#pragma once
// The scripts the site editors run in their web pages. Each is a file of
// editors/site/scripts, built into the program as a Qt resource and read
// from there at run time (":/scripts/<file name>").
#include <QString>

// The text of the script file FileName ("selection.js"). Throws
// EDeveloperTolvexException when the program was built without it, so that
// a missing script is never run as an empty one.
QString WebScript(const char* fileName);
