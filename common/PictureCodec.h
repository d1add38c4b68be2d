#pragma once
// A reader and writer of one picture file format. Decoders must survive any
// input: they check every size and offset against the bytes they were given
// and raise ECriticalTolvexException for what they cannot read.
#include "common/Picture.h"

#include <string>

class TPictureCodec {
public:
    virtual ~TPictureCodec() = default;

    virtual TPictureKind Kind() const = 0;
    // The picture held in Bytes; its kind is Kind(). Raises
    // ECriticalTolvexException when the bytes are no readable picture.
    virtual TPicture Decode(const std::string& bytes) const = 0;
    // The file bytes of Picture; raises ECriticalTolvexException when the
    // format cannot hold it (too large, for example).
    virtual std::string Encode(const TPicture& picture) const = 0;

    // The codec of a kind; one shared instance each.
    static const TPictureCodec& ForKind(TPictureKind kind);
};
