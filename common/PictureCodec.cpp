#include "common/PictureCodec.h"

#include "common/BmpCodec.h"
#include "common/GifCodec.h"
#include "common/IcoCodec.h"
#include "common/JpegCodec.h"
#include "common/PngCodec.h"

const TPictureCodec& TPictureCodec::ForKind(TPictureKind kind)
{
    static const TBmpCodec bmp;
    static const TGifCodec gif;
    static const TIcoCodec ico;
    static const TJpegCodec jpeg;
    static const TPngCodec png;
    switch (kind) {
    case TPictureKind::Jpeg: return jpeg;
    case TPictureKind::Gif: return gif;
    case TPictureKind::Icon: return ico;
    case TPictureKind::Png: return png;
    case TPictureKind::Bitmap: break;
    }
    return bmp;
}
