#pragma once
// The image dialog's "Image From Disk" tab: a picture file chosen with
// "Search" (the dialog's "OnlyImageFormat" is the file filter when given),
// stored as the file's extension says.
#include "editors/media/images/FrameImageSource.h"

class QLineEdit;
class QPushButton;

class TFrameImageDisk : public TFrameImageSource {
    Q_OBJECT
public:
    explicit TFrameImageDisk(TFrameSite& site);

protected:
    void BuildSourceRow(QBoxLayout& layout) override;
    std::string StoredMimeType() const override;
    void FileLoaded(const std::string& fileName) override;
    QString HintText() const override { return tr("Choose a picture file with Search."); }

private:
    void Search();

    QLineEdit* edtFileName_ = nullptr;
    QPushButton* btnSearch_ = nullptr;
};
