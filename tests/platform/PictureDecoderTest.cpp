#include "platform/render/PictureDecoder.h"
#include "platform/render/GifWriter.h"
#include "platform/render/PcxReader.h"
#include "platform/render/PcxWriter.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QtTest>

using namespace rost;

namespace {

// A picture of a few flat colours, so paletted formats hold it exactly.
QImage flatPicture(int width = 64, int height = 48)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(20, 40, 200));
    QPainter p(&image);
    p.fillRect(5, 5, 20, 30, QColor(250, 200, 10));
    p.fillRect(30, 10, 25, 12, QColor(0, 160, 60));
    p.fillRect(0, height - 4, width, 4, QColor(255, 255, 255));
    // Bytes of 0xC0 and above must be escaped in PCX runs of one.
    for (int x = 0; x < width && height > 2; x += 3)
        image.setPixel(x, 2, qRgb(x * 3, 255 - x, 7));
    return image;
}

QByteArray encodeWithQt(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.write(image);
    return bytes;
}

bool samePixels(const QImage &a, const QImage &b)
{
    return a.size() == b.size() &&
           a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

QByteArray pcxHeader(int bitsPerPixel, int planes, int width, int height, int bytesPerLine,
                     int encoding = 1)
{
    QByteArray h(128, '\0');
    h[0] = char(0x0A);
    h[1] = char(5);
    h[2] = char(encoding);
    h[3] = char(bitsPerPixel);
    const auto put16 = [&h](int at, int v) {
        h[at] = char(v & 0xFF);
        h[at + 1] = char((v >> 8) & 0xFF);
    };
    put16(8, width - 1);
    put16(10, height - 1);
    h[65] = char(planes);
    put16(66, bytesPerLine);
    return h;
}

QByteArray vgaPalette()
{
    QByteArray p(1, char(0x0C));
    for (int i = 0; i < 256; ++i)
        p.append(char(i)).append(char(255 - i)).append(char(i / 2));
    return p;
}

} // namespace

class PictureDecoderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("exact");
        const QImage image = flatPicture();
        QTest::newRow("png") << encodeWithQt(image, "png") << true;
        QTest::newRow("bmp") << encodeWithQt(image, "bmp") << true;
        QTest::newRow("tiff") << encodeWithQt(image, "tiff") << true;
        QTest::newRow("jpeg") << encodeWithQt(image, "jpeg") << false;
        QTest::newRow("gif") << GifWriter::write(image) << true;
        QTest::newRow("pcx") << PcxWriter::write(image) << true;
        // Odd width: PCX pads its scan lines to an even length.
        QTest::newRow("pcx odd width") << PcxWriter::write(flatPicture(63, 5)) << true;
        QTest::newRow("gif one pixel") << GifWriter::write(flatPicture(1, 1)) << true;
    }
    void roundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, exact);
        QVERIFY(!bytes.isEmpty());
        QString error;
        const QImage decoded = decodePicture(bytes, &error);
        QVERIFY2(!decoded.isNull(), qPrintable(error));
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        const QImage original = tag.contains(QLatin1String("odd"))   ? flatPicture(63, 5)
                                : tag.contains(QLatin1String("one")) ? flatPicture(1, 1)
                                                                     : flatPicture();
        if (exact) {
            QVERIFY(samePixels(decoded, original));
        } else {
            QCOMPARE(decoded.size(), original.size());
            const QRgb c = decoded.pixel(15, 20); // inside the yellow block
            QVERIFY(qAbs(qRed(c) - 250) < 24 && qAbs(qGreen(c) - 200) < 24 && qBlue(c) < 40);
        }
    }

    void manyColoursAreReducedNotRefused()
    {
        QImage gradient(300, 200, QImage::Format_RGB32);
        for (int y = 0; y < gradient.height(); ++y)
            for (int x = 0; x < gradient.width(); ++x)
                gradient.setPixel(x, y, qRgb(x % 256, y, (x * y) % 256));
        for (const QByteArray &bytes : {GifWriter::write(gradient), PcxWriter::write(gradient)}) {
            const QImage decoded = decodePicture(bytes);
            QCOMPARE(decoded.size(), gradient.size());
        }
    }

    void pcxVariants()
    {
        // 24-bit: three planes per scan line, raw bytes.
        QByteArray rgb = pcxHeader(8, 3, 2, 1, 2, 0);
        rgb.append("\x10\x20"
                   "\x30\x40"
                   "\x50\x60",
                   6);
        QImage image = PcxReader::read(rgb);
        QCOMPARE(image.size(), QSize(2, 1));
        QCOMPARE(image.pixel(0, 0), qRgb(0x10, 0x30, 0x50));
        QCOMPARE(image.pixel(1, 0), qRgb(0x20, 0x40, 0x60));

        // Monochrome: a run of three 0xAA bytes across a line of 16 pixels and the next line.
        QByteArray mono = pcxHeader(1, 1, 16, 1, 2);
        mono.append("\xC2\xAA", 2);
        image = PcxReader::read(mono);
        QCOMPARE(image.size(), QSize(16, 1));
        QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(1, 0), qRgb(0, 0, 0));

        // 16 colours in four 1-bit planes: pixel 0 has planes 0 and 2 set, index 5.
        QByteArray ega = pcxHeader(1, 4, 8, 1, 2);
        ega[16 + 5 * 3] = char(0x11);
        ega[16 + 5 * 3 + 1] = char(0x22);
        ega[16 + 5 * 3 + 2] = char(0x33);
        ega.append("\x80\x00\x00\x00\x80\x00\x00\x00", 8);
        image = PcxReader::read(ega);
        QCOMPARE(image.size(), QSize(8, 1));
        QCOMPARE(image.pixel(0, 0), qRgb(0x11, 0x22, 0x33));

        // 4 bits in one plane: high nibble first.
        QByteArray nibbles = pcxHeader(4, 1, 2, 1, 2, 0);
        nibbles[16 + 3] = char(0xFF);
        nibbles.append("\x01\x00", 2);
        image = PcxReader::read(nibbles);
        QCOMPARE(image.pixel(1, 0), qRgb(0xFF, 0, 0));
    }

    void hostilePcx_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = PcxWriter::write(flatPicture());
        QTest::newRow("header only") << good.left(128);
        QTest::newRow("shorter than header") << good.left(60);
        QTest::newRow("huge") << pcxHeader(8, 1, 65535, 65535, 65535) + QByteArray(2000, '\xC1') +
                                     vgaPalette();
        QTest::newRow("huge true colour")
            << pcxHeader(8, 4, 16000, 16000, 16000) + QByteArray(100, '\xFF');
        QTest::newRow("zero size") << [] {
            QByteArray h = pcxHeader(8, 1, 1, 1, 2);
            h[4] = char(5); // xMin beyond xMax
            return h + QByteArray(4, '\0') + vgaPalette();
        }();
        QTest::newRow("scan line shorter than width")
            << pcxHeader(8, 1, 64, 2, 16) + QByteArray(200, '\x01') + vgaPalette();
        QTest::newRow("truncated palette") << good.left(good.size() - 100);
        QTest::newRow("truncated pixels") << good.left(300) + vgaPalette();
        QTest::newRow("run count without value")
            << pcxHeader(8, 3, 4, 1, 4) + QByteArray("\x01\x02\xC2", 3);
        QTest::newRow("unsupported planes") << pcxHeader(8, 2, 4, 4, 4) + QByteArray(64, '\0');
        QTest::newRow("two bits") << pcxHeader(2, 1, 4, 4, 2) + QByteArray(64, '\0');
    }
    void hostilePcx()
    {
        QFETCH(QByteArray, bytes);
        QString error;
        QVERIFY(decodePicture(bytes, &error).isNull());
        QVERIFY(!error.isEmpty());
    }

    void runPastTheEndIsClipped()
    {
        // One line of 4 pixels, written as a run of 63: the run stops at the picture's end.
        const QByteArray bytes =
            pcxHeader(8, 1, 4, 1, 4) + QByteArray("\xFF\x07", 2) + vgaPalette();
        const QImage image = decodePicture(bytes);
        QCOMPARE(image.size(), QSize(4, 1));
        QCOMPARE(image.pixelIndex(3, 0), 7);
    }

    void damagedPcxNeverReadsOutOfBounds()
    {
        // Random damage to a good file; the sanitizer build turns any stray access into a failure.
        const QByteArray good = PcxWriter::write(flatPicture());
        quint32 state = 12345;
        const auto next = [&state] {
            state = state * 1664525u + 1013904223u;
            return state >> 8;
        };
        for (int round = 0; round < 400; ++round) {
            QByteArray bytes = good;
            const int changes = 1 + int(next() % 8);
            for (int i = 0; i < changes; ++i)
                bytes[qsizetype(next() % quint32(bytes.size()))] = char(next() & 0xFF);
            if (round % 5 == 0)
                bytes.truncate(qsizetype(next() % quint32(bytes.size())));
            (void)decodePicture(bytes);
        }
    }

    void notAPicture_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("Smith, William and Matilda\r\n12 Elm Street\r\n");
        QTest::newRow("zeros") << QByteArray(5000, '\0');
        QTest::newRow("png signature only") << QByteArray("\x89PNG\r\n\x1a\n", 8);
        QTest::newRow("portable pixmap") << QByteArray("P3\n1 1\n255\n255 0 0\n");
        QTest::newRow("truncated png") << encodeWithQt(flatPicture(), "png").left(60);
        // Qt's reader decodes a JPEG cut short around the missing part and only warns.
        const QByteArray jpeg = encodeWithQt(flatPicture(), "jpeg");
        QTest::newRow("jpeg cut short") << jpeg.left(jpeg.size() - 10);
        QTest::newRow("gif without pixels") << GifWriter::write(flatPicture()).left(781);
    }
    void notAPicture()
    {
        QFETCH(QByteArray, bytes);
        QString error;
        QVERIFY(decodePicture(bytes, &error).isNull());
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(PictureDecoderTest)
#include "PictureDecoderTest.moc"
