#pragma once
// Answers the requests of the preview scheme in a browser profile with the
// preview resolver's response: the bytes with their MIME type, a not-found
// error for an address of the preview hosts with nothing behind it, and an
// aborted request for an address the resolver passes on (no catalog open:
// a "tolvex" address has no other handling).
//
// Addresses of other hosts that were imported as web resources are served
// from the catalog too: the request interceptor that Install sets on the
// profile sends such an address to the handler when the resolver has it,
// and leaves every other address to the browser.
//
// Requests arrive on the GUI thread, where the resolver reads the open
// catalog, as the rest of the window side does.
#include <QObject>
#include <QWebEngineUrlSchemeHandler>

#include <memory>

class QWebEngineProfile;
class QWebEngineUrlRequestJob;
class TPreviewResolver;
struct TPreviewResponse;

class TPreviewSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    // The resolver must outlive the handler.
    explicit TPreviewSchemeHandler(TPreviewResolver& resolver, QObject* parent = nullptr);
    ~TPreviewSchemeHandler() override;

    // Answers the profile's "tolvex" requests and its imported web resources.
    void Install(QWebEngineProfile& profile);
    void Uninstall(QWebEngineProfile& profile);

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    class TImportedResourceInterceptor;
    std::unique_ptr<TImportedResourceInterceptor> interceptor_;
    TPreviewResolver& resolver_;
};
