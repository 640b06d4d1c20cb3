#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class QFile;

namespace zet {

// Writes page pictures to their files while the caller draws the next
// pages: the caller opens each file in page order (so a file that cannot be
// created stops the export before the next page is drawn, as a plain loop
// would), and threads of the writer's own encode the pictures and write them.
// At most a few pictures wait at a time, so memory stays bounded whatever the
// page count. The bytes of each file are those of QImage::save in the format.
//
// Used from one thread (the one that draws); the pictures handed over must not
// be painted on afterwards.
class PagePictureWriter
{
public:
    // format: an image format Qt writes ("PNG", "BMP"). encoders: threads that
    // encode and write, at least one; 0 takes one a core.
    explicit PagePictureWriter(QByteArray format, int encoders = 0);
    // Waits for the pictures handed over to be written.
    ~PagePictureWriter();
    PagePictureWriter(const PagePictureWriter &) = delete;
    PagePictureWriter &operator=(const PagePictureWriter &) = delete;

    // Creates (or empties) file and hands picture over to be written into
    // it; waits while too many pictures wait. False when the file cannot be
    // created or an earlier file has failed: draw no more pages.
    bool write(const QImage &picture, const QString &file);

    // Waits until every picture handed over is written. False, with the
    // message naming the first file (in the order handed over) that could
    // not be written, when any could not.
    bool finish(QString *error = nullptr);

private:
    struct Job
    {
        int sequence = 0;
        QImage picture;
        std::unique_ptr<QFile> file;
    };

    void encodeJobs();
    void fail(int sequence, const QString &file);

    QByteArray format_;
    std::mutex mutex_;
    std::condition_variable jobReady_;
    std::condition_variable jobDone_;
    std::deque<Job> queue_;
    int unfinished_ = 0; // queued or being encoded
    int capacity_ = 1;
    int handedOver_ = 0;
    bool closing_ = false;
    int failedSequence_ = -1;
    QString failedFile_;
    std::vector<std::thread> encoders_;
};

// The message of a file that cannot be written.
QString cannotWriteFile(const QString &path);

} // namespace zet
