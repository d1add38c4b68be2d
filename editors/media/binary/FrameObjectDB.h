#pragma once
// The binary-object library: the dialog's "Object From Database" tab and
// the binary-objects manager's only tab (see TFrameMediaLibrary).
#include "editors/media/images/library/FrameMediaLibrary.h"

class TFrameObjectDB : public TFrameMediaLibrary {
public:
    explicit TFrameObjectDB(TFrameSite& site) : TFrameMediaLibrary(site, TMediaKind::BinaryObjects) {}
};
