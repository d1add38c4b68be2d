// Pictures the user brings in: a file over the size limit is refused before
// it is read, the format comes from the bytes, and what is no picture gets
// a message that says so.
#include "common/Exceptions.h"
#include "common/PictureCodec.h"
#include "common/PictureFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::string Png(int width, int height)
{
    TPicture picture(width, height);
    picture.Fill({1, 2, 3, 255});
    return TPictureCodec::ForKind(TPictureKind::Png).Encode(picture);
}

// The message of what Load raises; empty when it loads.
std::string Refusal(const std::string& fileName)
{
    try {
        TPictureFile::Load(fileName);
        return {};
    } catch (const ECriticalTolvexException& error) {
        return error.what();
    }
}

}  // namespace

TEST(PictureFile, WhatIsReadAndWhatIsRefused)
{
    TTempFolder folder;
    folder.Write("photo.jpg", Png(5, 4));  // a PNG under a JPEG name
    folder.Write("notes.png", "Dear customer, ...");
    folder.Write("empty.gif", "");
    const std::string huge = folder.Path() + "/huge.jpg";
    {
        // Sparse: over the limit without the bytes; reading it would take a while and the memory.
        std::ofstream(huge) << "\xFF\xD8\xFF";
        std::filesystem::resize_file(huge, TPictureFile::MaxBytes + 1);
    }

    EXPECT_EQ(TPictureFile::Load(folder.Path() + "/photo.jpg").Width(), 5) << "the bytes tell the format";
    struct Case { std::string file; std::string message; };
    const Case cases[] = {
        {"huge.jpg", "The picture file is too large: 65 MB (at most 64 MB)."},
        {"notes.png", "The data is no picture of a known format (JPEG, PNG, GIF, BMP or ICO)."},
        {"empty.gif", "The data is no picture of a known format (JPEG, PNG, GIF, BMP or ICO)."},
        {"missing.png", "cannot be read"},
    };
    for (const Case& c : cases)
        EXPECT_NE(Refusal(folder.Path() + "/" + c.file).find(c.message), std::string::npos)
            << c.file << ": " << Refusal(folder.Path() + "/" + c.file);

    EXPECT_EQ(TPictureFile::Decode(Png(3, 3)).Height(), 3);
    EXPECT_THROW(TPictureFile::Decode("<html>Not Found</html>"), ECriticalTolvexException);
}
