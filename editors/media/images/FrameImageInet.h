#pragma once
// The image dialog's "Image From Internet" tab: the picture at an address
// the user types (http or https; "http://" is put in front of an address
// without a scheme), downloaded in a runner window (TImportImageFromInternet).
// A picture whose address has no image extension is stored as the image
// type the server sent, so that the site publishes it with a matching
// extension. An answer that is no picture (an error page, HTML) stores
// nothing.
#include "editors/media/images/FrameImageSource.h"

class QLineEdit;
class QPushButton;

class TFrameImageInet : public TFrameImageSource {
    Q_OBJECT
public:
    explicit TFrameImageInet(TFrameSite& site);

    // The picture of the address in the field, downloaded and shown; false
    // when there is none (the user was told why).
    bool LoadFromInternet();

protected:
    void BuildSourceRow(QBoxLayout& layout) override;
    std::string StoredMimeType() const override { return mimeType_; }
    void FileLoaded(const std::string& fileName) override;
    QString HintText() const override { return tr("Type the address of a picture and press Load From Internet."); }

private:
    QLineEdit* edtURL_ = nullptr;
    QPushButton* btnLoad_ = nullptr;
    std::string mimeType_;
};
