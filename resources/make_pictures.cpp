// Draws the game's pictures and writes them into the folder given: the paddle and ball GIFs, the
// window icon, the web page's icons and the invisible pointer. The results are committed and
// embedded in the program; run `bash resources/make_pictures.sh` to make them again. Given a second
// folder, it also draws the icon at each size a desktop's icon theme asks for, into SIZE/zarb.png
// below that folder.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// The pictures' palette: entry 0 is the transparent one, entry 1 the light cyan of every visible
// pixel; the other two are unused, as in the four-entry palette the game was drawn with.
constexpr std::uint8_t kPalette[4][3] = {{0, 0, 0}, {194, 241, 244}, {255, 255, 255}, {0, 0, 0}};

class BitWriter {
  public:
    void put(unsigned code, int width) {
        bits_ |= code << count_;
        count_ += width;
        while (count_ >= 8) {
            bytes.push_back(static_cast<std::uint8_t>(bits_ & 0xff));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    void flush() {
        if (count_ > 0) {
            bytes.push_back(static_cast<std::uint8_t>(bits_ & 0xff));
        }
        bits_ = 0;
        count_ = 0;
    }
    std::vector<std::uint8_t> bytes;

  private:
    unsigned bits_ = 0;
    int count_ = 0;
};

// A GIF of palette indices 0 to 3 with index 0 transparent. The image data is LZW coded with a
// clear code before the code table would grow, so every code keeps the width of three bits.
QByteArray gif(int width, int height, const std::function<int(int, int)>& index) {
    QByteArray out("GIF89a");
    const auto word = [&out](int value) {
        out.append(static_cast<char>(value & 0xff));
        out.append(static_cast<char>(value >> 8));
    };
    word(width);
    word(height);
    out.append(static_cast<char>(0xf1));  // global palette of 4 entries
    out.append('\0');
    out.append('\0');
    for (const auto& rgb : kPalette) {
        out.append(reinterpret_cast<const char*>(rgb), 3);
    }
    // Graphic control extension: entry 0 is transparent.
    out.append("\x21\xf9\x04\x01\x00\x00\x00\x00", 8);
    out.append(',');
    word(0);
    word(0);
    word(width);
    word(height);
    out.append('\0');

    constexpr int kMinimumCodeSize = 2;
    constexpr unsigned kClear = 4;
    constexpr unsigned kEnd = 5;
    BitWriter bits;
    int sinceClear = 0;
    bits.put(kClear, 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // The decoder adds a table entry per code after the first; clear before it needs
            // a fourth bit (at 8 entries).
            if (sinceClear == 2) {
                bits.put(kClear, 3);
                sinceClear = 0;
            }
            bits.put(static_cast<unsigned>(index(x, y)), 3);
            ++sinceClear;
        }
    }
    bits.put(kEnd, 3);
    bits.flush();
    out.append(static_cast<char>(kMinimumCodeSize));
    for (std::size_t at = 0; at < bits.bytes.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, bits.bytes.size() - at);
        out.append(static_cast<char>(length));
        out.append(reinterpret_cast<const char*>(bits.bytes.data() + at),
                   static_cast<qsizetype>(length));
    }
    out.append('\0');
    out.append(';');
    return out;
}

// A bar with rounded ends: full width from the 11th to the 93rd of its 106 rows, tapering above
// and below, and the last two rows empty. The ends are half ellipses a pixel narrower than the
// bar at either side, so that no row of an end is full width.
int paddlePixel(int x, int y) {
    constexpr int kWidth = 30;
    double capDepth = 0;  // how far into a rounded end the row lies, 0 to 1
    if (y < 10) {
        capDepth = (10 - (y + 0.5)) / 10.5;
    } else if (y >= 93 && y < 104) {
        capDepth = ((y + 0.5) - 93) / 11.5;
    } else if (y >= 104) {
        return 0;
    }
    const double halfWidth =
        capDepth == 0 ? kWidth / 2.0 : (kWidth / 2.0 - 1) * std::sqrt(1 - capDepth * capDepth);
    return std::fabs(x + 0.5 - kWidth / 2.0) <= halfWidth ? 1 : 0;
}

// A filled disc.
int ballPixel(int x, int y) {
    const double dx = x + 0.5 - 16.5;
    const double dy = y + 0.5 - 16.5;
    return dx * dx + dy * dy <= 16.5 * 16.5 ? 1 : 0;
}

// The sizes of the icon that the desktop menus and software centres look up.
constexpr int kThemeIconSizes[] = {16, 32, 48, 64, 128, 256};

// The sizes of the icon that a phone or a desktop shows for the web page once installed.
constexpr int kWebIconSizes[] = {192, 512};

// A shaded orange ball on a transparent background, drawn on a 64-pixel grid and scaled to the
// size asked for, so that every size shows the same ball with its light at the top left.
QImage icon(int size = 64) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    QRadialGradient shade(QPointF(24, 22), 40, QPointF(22, 19));
    shade.setColorAt(0, QColor(255, 236, 190));
    shade.setColorAt(0.25, QColor(255, 170, 60));
    shade.setColorAt(0.8, QColor(220, 100, 10));
    shade.setColorAt(1, QColor(150, 60, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawEllipse(QRectF(2, 2, 60, 60));
    return image;
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: zarb-make-pictures FOLDER [ICON_THEME_FOLDER]\n");
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]) + "/";
    QImage pointer(32, 32, QImage::Format_ARGB32);
    pointer.fill(Qt::transparent);
    bool written = write(folder + "paddle.gif", gif(30, 106, paddlePixel)) &&
                   write(folder + "ball.gif", gif(33, 33, ballPixel)) &&
                   icon().save(folder + "zarb.png") &&
                   pointer.save(folder + "invisible_pointer.png");
    for (const int size : kWebIconSizes) {
        written = written && icon(size).save(folder + QString("zarb-%1.png").arg(size));
    }
    if (!written) {
        std::fprintf(stderr, "zarb-make-pictures: cannot write into %s\n", argv[1]);
        return 1;
    }
    if (argc == 3) {
        const QDir themeFolder(QString::fromLocal8Bit(argv[2]));
        for (const int size : kThemeIconSizes) {
            const QString sizeName = QString::number(size);
            if (!themeFolder.mkpath(sizeName) ||
                !icon(size).save(themeFolder.filePath(sizeName + "/zarb.png"))) {
                std::fprintf(stderr, "zarb-make-pictures: cannot write into %s\n", argv[2]);
                return 1;
            }
        }
    }
    return 0;
}
