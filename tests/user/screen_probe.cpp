// Looks at the X display a program runs on, for the real-window test:
// grabs the whole screen, optionally saves it as PNG, and reports how many
// pixels have the planet's ocean and land colours. Exits with 0 when both
// are present (ocean: pure blues; land: the greens of the elevation
// colours), 1 when not, 2 when the screen cannot be read.
//
//     morva_screen_probe [--save FILE.png]

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstring>

namespace {

bool IsOcean(QRgb pixel)
{
    return qRed(pixel) == 0 && qGreen(pixel) == 0 && qBlue(pixel) >= 100;
}

bool IsLand(QRgb pixel)
{
    return qGreen(pixel) >= 150 && qGreen(pixel) > qRed(pixel) && qGreen(pixel) > qBlue(pixel) + 40;
}

constexpr int MinimumPixels = 200;

}

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    char const* savePath = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--save") == 0)
            savePath = argv[i + 1];
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "screen_probe: no screen\n");
        return 2;
    }
    QImage const image = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    if (image.isNull()) {
        std::fprintf(stderr, "screen_probe: the screen could not be read\n");
        return 2;
    }
    if (savePath)
        image.save(QString::fromLocal8Bit(savePath));
    long ocean = 0;
    long land = 0;
    for (int y = 0; y < image.height(); ++y) {
        auto const* row = reinterpret_cast<QRgb const*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            ocean += IsOcean(row[x]) ? 1 : 0;
            land += IsLand(row[x]) ? 1 : 0;
        }
    }
    std::printf("screen=%dx%d ocean=%ld land=%ld\n", image.width(), image.height(), ocean, land);
    return ocean >= MinimumPixels && land >= MinimumPixels ? 0 : 1;
}
