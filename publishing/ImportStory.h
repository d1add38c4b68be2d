#pragma once
// Stores the body of an HTML file ("FileName") as a story (item type 3002
// under the stories root, item 10), named after the file: its text in
// "TopHTMLValue" and its name, both in the catalog's default data language.
// The pictures the story refers to become image items in the folder
// "<name> story" under the images root, and its references point at them;
// only files inside the file's own folder are ever read. A story of the same
// name is replaced, kept beside a new one, or the import is cancelled, as
// the user answers.
//
// Everything is written through the runner's own connection in one unit of
// work: a failure or a cancel leaves the catalog as it was.
#include "publishing/TolvexImport.h"

#include <string>
#include <vector>

class TImportedItems;

class TImportStory : public TTolvexImport {
public:
    static constexpr int kStoryItemType = 3002;
    static constexpr int kStoriesRootId = 10;

    using TTolvexImport::TTolvexImport;

    void Execute() override;

private:
    // False when the user cancelled.
    bool Import(const std::string& fileName);
    // The body with the pictures found beside the file imported and their
    // references rewritten; false when the user cancelled.
    bool ImportPictures(TImportedItems& items, const std::string& folder, const std::string& storyName,
                        std::string& body);
    void EndUnit(bool commit);
};
