#include "export/PagePictureWriter.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace zet {

QString cannotWriteFile(const QString &path)
{
    return QStringLiteral("Impossibile scrivere il file \"%1\".").arg(QDir::toNativeSeparators(path));
}

PagePictureWriter::PagePictureWriter(QByteArray format, int encoders)
    : format_(std::move(format))
{
    if (encoders < 1)
        encoders = int(std::max(1u, std::thread::hardware_concurrency()));
    // One picture being encoded by each thread and one waiting for each keeps
    // every thread busy while the caller draws.
    capacity_ = 2 * encoders;
    for (int i = 0; i < encoders; ++i)
        encoders_.emplace_back([this] { encodeJobs(); });
}

PagePictureWriter::~PagePictureWriter()
{
    finish();
}

bool PagePictureWriter::write(const QImage &picture, const QString &file)
{
    std::unique_lock lock(mutex_);
    jobDone_.wait(lock, [this] { return unfinished_ < capacity_ || failedSequence_ >= 0; });
    if (failedSequence_ >= 0 || closing_)
        return false;
    const int sequence = handedOver_++;
    lock.unlock();

    auto device = std::make_unique<QFile>(file);
    if (!device->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail(sequence, file);
        return false;
    }
    lock.lock();
    queue_.push_back({ sequence, picture, std::move(device) });
    ++unfinished_;
    jobReady_.notify_one();
    return true;
}

bool PagePictureWriter::finish(QString *error)
{
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    jobReady_.notify_all();
    for (std::thread &encoder : encoders_)
        encoder.join();
    encoders_.clear();
    if (failedSequence_ < 0)
        return true;
    if (error)
        *error = cannotWriteFile(failedFile_);
    return false;
}

void PagePictureWriter::fail(int sequence, const QString &file)
{
    std::lock_guard lock(mutex_);
    if (failedSequence_ < 0 || sequence < failedSequence_) {
        failedSequence_ = sequence;
        failedFile_ = file;
    }
    jobDone_.notify_all();
}

// Each thread takes the next picture, encodes it straight into its file and
// closes it. Pictures handed over before a failure are still written: their
// files were already created.
void PagePictureWriter::encodeJobs()
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            jobReady_.wait(lock, [this] { return !queue_.empty() || closing_; });
            if (queue_.empty())
                return;
            job = std::move(queue_.front());
            queue_.pop_front();
        }
        bool written = job.picture.save(job.file.get(), format_.constData()) && job.file->flush();
        job.file->close();
        written = written && job.file->error() == QFileDevice::NoError;
        const QString name = job.file->fileName();
        const int sequence = job.sequence;
        job = {}; // the pixels and the file go before the caller may add more
        if (!written)
            fail(sequence, name);
        std::lock_guard lock(mutex_);
        --unfinished_;
        jobDone_.notify_all();
    }
}

} // namespace zet
