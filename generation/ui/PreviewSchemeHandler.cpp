#include "generation/ui/PreviewSchemeHandler.h"

#include "generation/PreviewResolver.h"
#include "generation/ui/PreviewScheme.h"

#include <QBuffer>
#include <QUrl>
#include <QUrlQuery>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>

namespace {

// The host of the scheme that carries an imported web resource's own
// address in its "url" query item.
const char* const kImportedHost = "imported";

bool IsWebAddress(const QUrl& url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

QUrl ImportedResourceAddress(const QUrl& original)
{
    QUrl url;
    url.setScheme(QString::fromLatin1(PreviewSchemeName()));
    url.setHost(QString::fromLatin1(kImportedHost));
    url.setPath(QStringLiteral("/"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("url"), QString::fromUtf8(QUrl::toPercentEncoding(original.toString())));
    url.setQuery(query);
    return url;
}

std::string ToStd(const QString& text)
{
    return text.toUtf8().toStdString();
}

}  // namespace

// Sends the web addresses that the resolver serves from the catalog to the
// scheme handler; the browser fetches every other address itself.
class TPreviewSchemeHandler::TImportedResourceInterceptor : public QWebEngineUrlRequestInterceptor {
public:
    explicit TImportedResourceInterceptor(TPreviewResolver& resolver) : resolver_(resolver) {}

    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        const QUrl url = info.requestUrl();
        if (!IsWebAddress(url))
            return;
        if (resolver_.Resolve(ToStd(url.toString())).Status == TPreviewResponse::TStatus::Served)
            info.redirect(ImportedResourceAddress(url));
    }

private:
    TPreviewResolver& resolver_;
};

TPreviewSchemeHandler::TPreviewSchemeHandler(TPreviewResolver& resolver, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent),
      interceptor_(std::make_unique<TImportedResourceInterceptor>(resolver)),
      resolver_(resolver)
{
}

TPreviewSchemeHandler::~TPreviewSchemeHandler() = default;

void TPreviewSchemeHandler::Install(QWebEngineProfile& profile)
{
    profile.installUrlSchemeHandler(PreviewSchemeName(), this);
    profile.setUrlRequestInterceptor(interceptor_.get());
}

void TPreviewSchemeHandler::Uninstall(QWebEngineProfile& profile)
{
    profile.removeUrlSchemeHandler(this);
    profile.setUrlRequestInterceptor(nullptr);
}

void TPreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job)
{
    const QUrl url = job->requestUrl();
    TPreviewResponse response;
    if (url.host() == QLatin1String(kImportedHost)) {
        const QString original = QUrl::fromPercentEncoding(
            QUrlQuery(url).queryItemValue(QStringLiteral("url"), QUrl::FullyEncoded).toLatin1());
        response = resolver_.Resolve(ToStd(original));
    } else {
        TPreviewRequest request;
        request.Scheme = url.scheme().toStdString();
        request.Host = url.host().toStdString();
        request.Path = url.path(QUrl::FullyEncoded).toStdString();
        request.Query = url.query(QUrl::FullyEncoded).toStdString();
        response = resolver_.Resolve(request);
    }

    switch (response.Status) {
    case TPreviewResponse::TStatus::Served: {
        auto* body = new QBuffer(job);
        body->setData(QByteArray::fromStdString(response.Body));
        QByteArray mimeType = QByteArray::fromStdString(response.MimeType);
        if (mimeType.isEmpty())
            mimeType = QByteArrayLiteral("application/octet-stream");
        job->reply(mimeType, body);
        break;
    }
    case TPreviewResponse::TStatus::NotFound:
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        break;
    case TPreviewResponse::TStatus::PassOn:
        // Nothing but this handler knows the scheme: the request ends unanswered.
        job->fail(QWebEngineUrlRequestJob::RequestAborted);
        break;
    }
}
