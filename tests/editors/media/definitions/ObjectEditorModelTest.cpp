// The object editor's model on a tree image of the shipped style catalog of
// type 1 (item 640001, class "Image"): every member a row, the picture shown
// and never written, only the edited cell written back.
#include "../StyleCatalogFixture.h"

#include "editors/media/definitions/ObjectEditorModel.h"

#include <gtest/gtest.h>

namespace {

constexpr int kTreeImage = 640001;

TEST(ObjectEditorModel, ShowsEveryMemberAndWritesBackOnlyTheEditedCell)
{
    TStyleCatalogFixture styles(1);
    const auto binary = [&] {
        return styles.Column("SELECT DataMimeType || ' ' || DataBytes || ' ' || DataCrc || ' ' || LENGTH(DataBlob) "
                             "FROM CBinary WHERE CatalogCode = :Code AND ItemId = 640001");
    };
    const std::vector<std::string> pictureBefore = binary();
    ASSERT_EQ(pictureBefore.size(), 1u);

    TObjectEditorModel model(styles.Context(kTreeImage), "Image");
    model.Load();
    ASSERT_TRUE(model.HasObject());
    std::vector<std::string> members;
    for (const TObjectEditorModel::TRow& row : model.Rows())
        members.push_back(row.Member);
    EXPECT_EQ(members, (std::vector<std::string>{"ImageWidth", "ImageHeight", "ThumbnailItemId", "LargeItemId",
                                                 "ImageData", "IsBackgroundImage"}));
    const TObjectEditorModel::TRow& picture = model.Rows()[4];
    EXPECT_TRUE(picture.ReadOnly);
    EXPECT_EQ(picture.Text.rfind("image/bmp, ", 0), 0u) << picture.Text;
    EXPECT_EQ(model.Rows()[0].Text, "16");

    model.SetText(4, "");  // refused: the picture is not edited here
    EXPECT_FALSE(model.IsModified());
    model.SetText(0, "20");
    ASSERT_TRUE(model.IsModified());
    model.Store();
    styles.Save();

    EXPECT_EQ(styles.Numbers(kTreeImage, 5, 1), std::vector<std::string>{"20"});
    EXPECT_EQ(styles.Numbers(kTreeImage, 5, 2), std::vector<std::string>{"16"});
    EXPECT_EQ(binary(), pictureBefore) << "the picture's bytes, size and checksum stay";
}

TEST(ObjectEditorModel, WithoutAConfiguredClassThereIsNothingToEdit)
{
    TStyleCatalogFixture styles(1);
    TObjectEditorModel model(styles.Context(kTreeImage), "");
    model.Load();
    EXPECT_FALSE(model.HasObject());
    EXPECT_TRUE(model.Rows().empty());
}

}  // namespace
