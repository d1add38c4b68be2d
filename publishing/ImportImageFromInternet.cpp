#include "publishing/ImportImageFromInternet.h"

#include "common/CommonGui.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "publishing/HttpClient.h"

namespace {

// The media type without its parameters ("image/png; q=1" -> "image/png").
std::string MediaTypeOf(const std::string& contentType)
{
    std::string type = contentType.substr(0, contentType.find(';'));
    while (!type.empty() && type.back() == ' ')
        type.pop_back();
    return type;
}

}  // namespace

TImportImageFromInternet::TImportImageFromInternet(std::vector<std::string>& params,
                                                   TAbstractDBConnection& connection,
                                                   const TPublisherEnvironment& environment)
    : TTolvexImport(params, connection, environment)
{
    CreateHttpClient();
}

void TImportImageFromInternet::Execute()
{
    TWaitCursor wait(Gui());
    try {
        Download();
    } catch (const ETolvexException& error) {
        if (!cancelled_)
            WriteLog(Format("Error: $1", {error.what()}));
        throw;
    }
}

void TImportImageFromInternet::Download()
{
    requestStream_->clear();
    requestStream_->seekp(0);
    responseStream_->str(std::string());
    responseStream_->clear();
    lastAnswer_ = 0;
    const THttpResponse response = httpClient_->Get(Param("URL"), *responseStream_);
    GetResponseStream();
    // A "No Content" answer carries no picture by its nature: like any
    // answer outside 200..299 it leaves the run unsuccessful without an error.
    if (response.StatusCode < 200 || response.StatusCode > 299 || response.StatusCode == 204)
        return;
    if (responseStream_->str().empty())
        throw EPublisherTolvexException("Empty data stream");
    const std::string contentType = MediaTypeOf(response.ContentType);
    if (!TCommonImages::IsImageMimeType(contentType))
        throw EPublisherTolvexException("Unsupported image type");
    SetParam("ContentType", contentType);
    success_ = true;
}
