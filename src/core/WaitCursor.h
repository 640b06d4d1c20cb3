#pragma once

#include <Qt>

namespace zet {

// Shows a busy pointer for the lifetime of the object and restores the
// previous one on every path. Does nothing without a GUI application.
class WaitCursor
{
public:
    explicit WaitCursor(Qt::CursorShape shape = Qt::WaitCursor);
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    bool active_ = false;
};

} // namespace zet
