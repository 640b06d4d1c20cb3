#pragma once

#include "model/ReportDocument.h"
#include "template/TemplateLoader.h"
#include "zetview/Error.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <algorithm>
#include <initializer_list>
#include <utility>

namespace zet::test {

// "<name>value</name>"
inline QString element(const QString &name, const QString &value)
{
    return QLatin1Char('<') + name + QLatin1Char('>') + value + QLatin1String("</") + name + QLatin1Char('>');
}

// The elements one after the other, in the order given.
inline QString elements(std::initializer_list<std::pair<QString, QString>> keys)
{
    QString text;
    for (const auto &[name, value] : keys)
        text += element(name, value);
    return text;
}

inline ReportDocument loaded(const QString &templateText)
{
    ReportDocument document;
    loadTemplate(document, templateText);
    return document;
}

// The number of the zet::Error the call raises; 0 when it raises none.
template <typename Call> int errorNumber(Call call)
{
    try {
        call();
    } catch (const Error &error) {
        return error.number();
    }
    return 0;
}

// Image-file bytes as a template carries them: one character per byte.
inline QString asTemplateText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes);
}

// Bytes that make no picture, the same on every run.
inline QByteArray randomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(7);
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
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

// A GIF89a of palette indices (at most 4 colours), row after row.
inline QByteArray handMadeGif(int width, int height, const QList<QRgb> &palette, const QList<int> &indices)
{
    QByteArray gif("GIF89a");
    auto word = [&gif](int value) { gif.append(char(value & 0xFF)).append(char(value >> 8)); };
    word(width);
    word(height);
    gif.append("\x81\0\0", 3); // a global colour table of 4 entries
    for (QRgb c : { palette.value(0), palette.value(1), palette.value(2), palette.value(3) })
        gif.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    gif.append(char(0x2C));
    for (int value : { 0, 0, width, height })
        word(value);
    gif.append("\0\x07", 2); // no local table; 8-bit codes, clear 128, end 129
    // A clear code before every 100 pixels keeps every code one byte wide.
    QByteArray codes;
    for (int i = 0; i < indices.size(); ++i) {
        if (i % 100 == 0)
            codes.append(char(0x80));
        codes.append(char(indices[i]));
    }
    codes.append(char(0x81));
    for (qsizetype at = 0; at < codes.size(); at += 255)
        gif.append(char(std::min<qsizetype>(255, codes.size() - at))).append(codes.mid(at, 255));
    return gif.append("\0;", 2); // block terminator, trailer
}

} // namespace zet::test
