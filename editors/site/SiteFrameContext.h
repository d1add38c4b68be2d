#pragma once
// The models' view of an opened item, filled from a frame's editing
// context: the catalog, the editing connection with its object collection,
// the content language and the item's place.
#include "editors/site/SiteModelContext.h"

#include <string>

class TTolvexFrameEditor;

TSiteModelContext SiteModelContextOf(TTolvexFrameEditor& frame);
// Shows an error through the program's message boxes (nothing for an empty text).
void ShowFrameError(const std::string& message);
