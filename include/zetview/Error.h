#pragma once

#include <QString>
#include <stdexcept>

namespace zet {

// A run-time error that ends a request and reaches the host. The number is the
// classic run-time error code: 6 overflow, 7 out of memory, 9 subscript out
// of range, 13 type mismatch, 5 invalid procedure call, 51 internal error,
// 482 printer error; numbers from 1000 are our own.
class Error : public std::runtime_error
{
public:
    Error(int number, const QString &message)
        : std::runtime_error(message.toStdString()), number_(number), message_(message)
    {
    }

    int number() const { return number_; }
    QString message() const { return message_; }

    static Error overflow(const QString &what = QStringLiteral("Overflow"))
    {
        return Error(kOverflow, what);
    }
    static Error subscriptOutOfRange(const QString &what = QStringLiteral("Subscript out of range"))
    {
        return Error(kSubscriptOutOfRange, what);
    }

    static constexpr int kInvalidCall = 5;
    static constexpr int kOverflow = 6;
    static constexpr int kOutOfMemory = 7;
    static constexpr int kSubscriptOutOfRange = 9;
    static constexpr int kTypeMismatch = 13;
    static constexpr int kInternalError = 51;
    // A print job that could not start, failed on a page or was not taken by the spooler.
    static constexpr int kPrinterError = 482;
    // Our own: a document whose band table was never built cannot be laid out.
    static constexpr int kNoBandTable = 1001;
    // Our own: a template that cannot make a page (no page size, an
    // unclosed wrapper), refused when the caller asks for usable templates.
    static constexpr int kUnusableTemplate = 1002;

private:
    int number_;
    QString message_;
};

} // namespace zet
