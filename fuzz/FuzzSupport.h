#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QtGlobal>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace zet::fuzz {

// The bytes as the program reads a template or data file: UTF-8 when they are
// valid UTF-8, otherwise Latin-1 (a character a byte, as raw picture bytes).
inline QString textOf(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// Ends the run as a finding when a promise of the code under test is broken.
inline void require(bool kept, const char *promise)
{
    if (!kept) {
        std::fprintf(stderr, "fuzz: broken promise: %s\n", promise);
        std::abort();
    }
}

// A sample report's file, read as the program reads it.
inline QString sampleText(const char *name)
{
    QFile file(QStringLiteral(ZET_SOURCE_DIR "/examples/") + QLatin1String(name));
    require(file.open(QIODevice::ReadOnly), "the sample file can be read");
    const QByteArray bytes = file.readAll();
    return textOf(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
}

// Qt's warnings about odd fonts and sizes are expected on hostile input; a
// fatal message still aborts the run.
inline void silenceQtWarnings()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
}

} // namespace zet::fuzz
