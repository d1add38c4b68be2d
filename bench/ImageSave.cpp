// bench_ImageSave [--keep DIR]: stores a generated 6000 x 4000 JPEG as an
// image item with its copies (large 1000, main 400, thumbnail 200 pixels,
// each fitted into a square of that size and written as JPEG at quality 90)
// into a catalog database, as the image dialog does: the file read and
// decoded, the three copies encoded from the original, the items written in
// one unit of work. Beside it, in the same run, ImageMagick's convert doing
// the same three resizes from one decoding of the same file, and
// vipsthumbnail making the three sizes (one call each), when they are
// installed (Debian imagemagick, libvips-tools); a missing one is named and
// skipped. Each program runs three times and the median counts.
//
// It prints the times and the ratios, the peak memory of the store against
// the decoded picture, and the PSNR of each stored copy against convert's
// copy of the same size, with the targets: at most 1.2 x convert's time,
// peak memory at most 3 x the decoded picture, at least 30 dB each.
#include "catalog/Catalog.h"
#include "catalog/CatalogFolders.h"
#include "catalog/CatalogQueries.h"
#include "catalog/ImageSave.h"
#include "common/CommonImages.h"
#include "common/PictureCodec.h"
#include "common/PictureFile.h"
#include "storage/ObjectFactory.h"
#include "storage/UnitOfWorkScope.h"
#include "support/CatalogFixture.h"
#include "support/TempFolder.h"

#include "BenchTiming.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kLarge = 1000;
constexpr int kMain = 400;
constexpr int kThumbnail = 200;
constexpr int kRuns = 3;

using TClock = std::chrono::steady_clock;

double Seconds(TClock::time_point start)
{
    return std::chrono::duration<double>(TClock::now() - start).count();
}

// A photograph-like picture: smooth light, soft shapes, a fine fabric-like
// texture and sharp edges. The texture is finer than the copies' pixels, so
// that a scaler that picks pixels instead of averaging them shows its
// aliasing in the PSNR.
TPicture Generated()
{
    TPicture picture(kWidth, kHeight, TPictureKind::Jpeg);
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = picture.Row(y);
        for (int x = 0; x < kWidth; ++x, row += 4) {
            const double u = static_cast<double>(x) / kWidth;
            const double v = static_cast<double>(y) / kHeight;
            const double dx = u - 0.35, dy = v - 0.45;
            const double disc = std::exp(-(dx * dx + dy * dy) * 18.0);
            const double texture = 20.0 * (std::sin(x * 0.9 + std::sin(y * 0.05) * 3) + std::sin(y * 1.1));
            const bool block = (x / 750 + y / 500) % 5 == 0;
            double r = 60 + 120 * u + 60 * disc + texture;
            double g = 40 + 100 * v + 80 * disc * (1 - u) + texture;
            double b = 150 - 90 * u * v + 40 * std::sin(u * 9) + texture;
            if (block) {
                r = 230 - r * 0.2;
                g = 220 - g * 0.3;
            }
            row[0] = static_cast<std::uint8_t>(std::clamp(r, 0.0, 255.0));
            row[1] = static_cast<std::uint8_t>(std::clamp(g, 0.0, 255.0));
            row[2] = static_cast<std::uint8_t>(std::clamp(b, 0.0, 255.0));
            row[3] = 255;
        }
    }
    return picture;
}

// Writes the generated JPEG in a child process, so that making it leaves no
// trace in this process's peak memory.
bool WriteGeneratedJpeg(const std::string& fileName)
{
    const pid_t child = fork();
    if (child == 0) {
        const std::string bytes = TPictureCodec::ForKind(TPictureKind::Jpeg).Encode(Generated());
        std::ofstream(fileName, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        _exit(0);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long CurrentKilobytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

// The output of a shell command (stderr joined), and whether it succeeded.
bool Run(const std::string& command, std::string* output = nullptr)
{
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return false;
    std::string text;
    char buffer[4096];
    while (const std::size_t got = fread(buffer, 1, sizeof buffer, pipe))
        text.append(buffer, got);
    const int status = pclose(pipe);
    if (output)
        *output = text;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// ImageMagick itself, not a stand-in of the same name.
bool HasImageMagick()
{
    std::string version;
    return Run("convert -version", &version) && version.find("ImageMagick") != std::string::npos;
}

bool HasVips()
{
    std::string version;
    return Run("vipsthumbnail --vips-version", &version) || Run("vipsthumbnail --version", &version);
}

double Psnr(const TPicture& a, const TPicture& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return 0;
    double sum = 0;
    const std::size_t pixels = static_cast<std::size_t>(a.Width()) * a.Height();
    for (std::size_t i = 0; i < pixels; ++i)
        for (int c = 0; c < 3; ++c) {
            const double d = static_cast<double>(a.Pixels()[i * 4 + c]) - b.Pixels()[i * 4 + c];
            sum += d * d;
        }
    const double mse = sum / (pixels * 3.0);
    return mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

TPicture ReadJpeg(const std::string& fileName)
{
    return TPictureFile::Load(fileName);
}

// What a cheap scaler makes: every target pixel one source pixel, none averaged.
TPicture PickedPixels(const TPicture& source, int width, int height)
{
    TPicture picked(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picked.SetPixel(x, y, source.GetPixel(static_cast<int>((x + 0.5) * source.Width() / width),
                                                  static_cast<int>((y + 0.5) * source.Height() / height)));
    return picked;
}

struct TStore {
    TImageSave::TResult result;
    double seconds = 0;
};

// One store as the dialog makes it: read, decode, encode the three copies, write them.
TStore StoreOnce(TCatalogEnvironment& env, TTolvexObjectFactory& factory, TCatalogFolders& folders,
                 const std::string& fileName)
{
    TImageSave::TRequest request;
    request.FolderName = "Photos";
    request.Names = {"EN=Generated"};
    request.AltFileName = "generated";
    request.MimeType = "image/jpeg";
    request.Main = {true, kMain, TImageScaleType::Maximal};
    request.Thumbnail = {true, {true, kThumbnail, TImageScaleType::Maximal}};
    request.Large = {true, {true, kLarge, TImageScaleType::Maximal}};

    const TClock::time_point start = TClock::now();
    TStore store;
    {
        const TPicture picture = TPictureFile::Load(fileName);
        const TImageSave::TPrepared prepared = TImageSave::Prepare(picture, request);
        TAbstractDBConnection& connection = env.Connection();
        TUnitOfWorkScope unit(connection);
        unit.Enter("Items");
        TImageSave save({env.Catalog(), env.Db(), factory, &folders, nullptr}, connection);
        store.result = save.Write(request, prepared);
        unit.Commit();
    }
    store.seconds = Seconds(start);
    return store;
}

TPicture StoredPicture(TCatalogEnvironment& env, int itemId)
{
    TPicture picture;
    std::int64_t size = 0;
    std::string mimeType;
    TCommonImages::LoadImageToPicture("shop", itemId, picture, size, mimeType, env.Connection());
    return picture;
}

std::string Geometry(const TImageSave::TStored& copy)
{
    return "'" + std::to_string(copy.Width) + "x" + std::to_string(copy.Height) + "!'";
}

}  // namespace

int main(int argc, char** argv)
{
    TTempFolder temp;
    std::string dir = temp.Path();
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--keep")
            dir = argv[++i];
    const std::string source = dir + "/generated.jpg";
    if (!WriteGeneratedJpeg(source)) {
        std::cerr << "The generated picture could not be written\n";
        return 1;
    }
    std::cout << "Picture: " << kWidth << " x " << kHeight << " JPEG, " << std::ifstream(source, std::ios::ate).tellg()
              << " bytes; copies " << kLarge << " (large), " << kMain << " (main), " << kThumbnail
              << " (thumbnail), JPEG quality 90; median of " << kRuns << " runs" << std::endl;

    // ---- the store ----------------------------------------------------------------------------------
    TCatalogEnvironment env;
    env.Db().DeclareClass(1, "CommonNames").Member(1, "ItemName", 1, mfIsMultiLang).Member(2, "AltFileName", 1, mfIsMultiLang);
    env.Db()
        .DeclareClass(5, "Image")
        .Member(1, "ImageWidth", 101)
        .Member(2, "ImageHeight", 101)
        .Member(3, "ThumbnailItemId", 106)
        .Member(4, "LargeItemId", 106)
        .Member(6, "ImageData", 252)
        .Member(7, "IsBackgroundImage", 102);
    env.Db().AddItem(3, 2, 0);
    TTolvexObjectFactory factory(env.Db().Context());
    TCatalogQueries queries(env.Db(), env.Db().Context());
    TCatalogFolders folders({env.Db(), env.Catalog(), queries, env.Db().Context(), env.Gui(), env.Settings()});

    const long before = CurrentKilobytes();
    std::vector<double> storeTimes;
    TImageSave::TResult stored;
    for (int run = 0; run < kRuns; ++run) {
        const TStore store = StoreOnce(env, factory, folders, source);
        storeTimes.push_back(store.seconds);
        stored = store.result;
    }
    const long peak = PeakKilobytes();
    const double decodedMegabytes = kWidth * static_cast<double>(kHeight) * 4 / (1024 * 1024);
    const double storeTime = Median(storeTimes);
    std::printf("store:          %.3f s   peak memory %.0f MB (%.0f MB at the start) = %.2f x the decoded picture "
                "(%.0f MB); target at most 3 x\n",
                storeTime, peak / 1024.0, before / 1024.0, peak / 1024.0 / decodedMegabytes, decodedMegabytes);

    // ---- the others -----------------------------------------------------------------------------------
    const TImageSave::TStored copies[] = {*stored.Large, stored.Main, *stored.Thumbnail};
    if (HasImageMagick()) {
        std::vector<double> times;
        const std::string command = "convert " + source + " \\( +clone -resize " + Geometry(copies[0]) +
                                    " -quality 90 -write " + dir + "/convert-large.jpg +delete \\) \\( +clone -resize " +
                                    Geometry(copies[1]) + " -quality 90 -write " + dir +
                                    "/convert-main.jpg +delete \\) -resize " + Geometry(copies[2]) + " -quality 90 " +
                                    dir + "/convert-thumbnail.jpg";
        std::string output;
        for (int run = 0; run < kRuns; ++run) {
            const TClock::time_point start = TClock::now();
            if (!Run(command, &output))
                std::cout << "convert failed: " << output << "\n";
            times.push_back(Seconds(start));
        }
        const double convertTime = Median(times);
        std::printf("convert:        %.3f s   store / convert = %.2f; target at most 1.2\n", convertTime,
                    storeTime / convertTime);
        const char* names[] = {"large", "main", "thumbnail"};
        const TPicture original = ReadJpeg(source);
        for (int i = 0; i < 3; ++i) {
            const TPicture theirs = ReadJpeg(dir + "/convert-" + names[i] + ".jpg");
            const double psnr = Psnr(StoredPicture(env, copies[i].ItemId), theirs);
            const double picked = Psnr(PickedPixels(original, copies[i].Width, copies[i].Height), theirs);
            std::printf("PSNR %-9s  %d x %d: %.1f dB against convert's copy; target at least 30 dB (a scaler "
                        "that picks pixels: %.1f dB)\n",
                        names[i], copies[i].Width, copies[i].Height, psnr, picked);
        }
    } else {
        std::cout << "convert:        ImageMagick is not installed (Debian package imagemagick): no comparison, "
                     "no PSNR\n";
    }
    if (HasVips()) {
        std::vector<double> times;
        for (int run = 0; run < kRuns; ++run) {
            const TClock::time_point start = TClock::now();
            for (const int size : {kLarge, kMain, kThumbnail}) {
                std::string output;
                if (!Run("vipsthumbnail " + source + " -s " + std::to_string(size) + " -o " + dir + "/vips-" +
                             std::to_string(size) + ".jpg[Q=90]",
                         &output))
                    std::cout << "vipsthumbnail failed: " << output << "\n";
            }
            times.push_back(Seconds(start));
        }
        const double vipsTime = Median(times);
        std::printf("vipsthumbnail:  %.3f s   store / vipsthumbnail = %.2f\n", vipsTime, storeTime / vipsTime);
    } else {
        std::cout << "vipsthumbnail:  not installed (Debian package libvips-tools): no comparison\n";
    }
    return 0;
}
