#pragma once
// Downloads one picture by its address ("URL") for the image dialog's
// internet tab. On success the picture's bytes are the response stream and
// "ContentType" the type the server sent; the runner closes itself. Any
// failure is logged as "Error: ..." (unless cancelled) and raised again.
#include "publishing/TolvexImport.h"

class TImportImageFromInternet : public TTolvexImport {
public:
    TImportImageFromInternet(std::vector<std::string>& params, TAbstractDBConnection& connection,
                             const TPublisherEnvironment& environment);

    void Execute() override;
    bool AutoClose() const override { return true; }

private:
    void Download();
};
