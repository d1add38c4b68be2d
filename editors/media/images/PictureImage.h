#pragma once
// A decoded picture as a Qt image for showing it.
#include "common/Picture.h"

#include <QImage>

// The picture's pixels copied into an RGBA image; a null image for an empty picture.
QImage PictureImage(const TPicture& picture);
