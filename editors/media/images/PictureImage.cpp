#include "editors/media/images/PictureImage.h"

#include <algorithm>

QImage PictureImage(const TPicture& picture)
{
    if (picture.IsEmpty())
        return {};
    QImage image(picture.Width(), picture.Height(), QImage::Format_RGBA8888);
    for (int y = 0; y < picture.Height(); ++y)
        std::copy_n(picture.Row(y), static_cast<std::size_t>(picture.Width()) * 4, image.scanLine(y));
    return image;
}
