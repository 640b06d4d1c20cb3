#pragma once

#include "zetview/Error.h"

#include <exception>

namespace zet {

// The error a request's caller receives for an exception raised inside the
// request: a zet::Error as it is, running out of memory as error 7 and
// anything else as error 51, so that only zet::Error leaves the component.
Error requestError(std::exception_ptr exception);

} // namespace zet
