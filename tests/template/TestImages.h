#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>
#include <QString>

namespace zet::test {

// Image-file bytes as a template carries them: one character per byte.
inline QString asTemplateText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes);
}

// A file written by Qt's own encoder ("BMP", "ICO", "PNG", "JPEG", ...).
inline QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

inline QImage filled(int width, int height, QRgb colour, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, format);
    image.fill(colour);
    return image;
}

// A GIF89a of palette indices (at most 4 colours), one row after another.
// The LZW stream sends a clear code every two pixels, so codes stay 3 bits
// wide. transparentIndex -1 writes no graphic control extension.
inline QByteArray handMadeGif(
    int width, int height, const QList<QRgb> &palette, const QList<int> &indices, int transparentIndex = -1)
{
    QByteArray gif("GIF89a");
    auto word = [&gif](int value) {
        gif.append(char(value & 0xFF));
        gif.append(char((value >> 8) & 0xFF));
    };
    word(width);
    word(height);
    gif.append(char(0x81)); // global colour table of 4 entries
    gif.append(char(0));
    gif.append(char(0));
    for (int i = 0; i < 4; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : 0;
        gif.append(char(qRed(c)));
        gif.append(char(qGreen(c)));
        gif.append(char(qBlue(c)));
    }
    if (transparentIndex >= 0) {
        gif.append("\x21\xF9\x04\x01\x00\x00", 6);
        gif.append(char(transparentIndex));
        gif.append(char(0));
    }
    gif.append(char(0x2C));
    word(0);
    word(0);
    word(width);
    word(height);
    gif.append(char(0));
    gif.append(char(2)); // minimum code size: codes 0-3, clear 4, end 5

    QByteArray stream;
    quint32 bits = 0;
    int bitCount = 0;
    auto code = [&](int value) {
        bits |= quint32(value) << bitCount;
        bitCount += 3;
        while (bitCount >= 8) {
            stream.append(char(bits & 0xFF));
            bits >>= 8;
            bitCount -= 8;
        }
    };
    for (int i = 0; i < indices.size(); ++i) {
        if (i % 2 == 0)
            code(4);
        code(indices[i]);
    }
    code(5);
    if (bitCount > 0)
        stream.append(char(bits & 0xFF));
    for (int at = 0; at < stream.size(); at += 255) {
        const QByteArray block = stream.mid(at, 255);
        gif.append(char(block.size()));
        gif.append(block);
    }
    gif.append(char(0));
    gif.append(char(0x3B));
    return gif;
}

} // namespace zet::test
