#include "control/RequestError.h"

#include <new>
#include <stdexcept>

namespace zet {

Error requestError(std::exception_ptr exception)
{
    try {
        std::rethrow_exception(exception);
    } catch (const Error &error) {
        return error;
    } catch (const std::bad_alloc &) {
        return Error(Error::kOutOfMemory, QStringLiteral("Out of memory"));
    } catch (const std::length_error &) {
        // A text or list that would grow beyond what a container can hold.
        return Error(Error::kOutOfMemory, QStringLiteral("Out of memory"));
    } catch (const std::exception &other) {
        return Error(Error::kInternalError,
            QStringLiteral("Internal error: %1").arg(QString::fromLocal8Bit(other.what())));
    } catch (...) {
        return Error(Error::kInternalError, QStringLiteral("Internal error"));
    }
}

} // namespace zet
