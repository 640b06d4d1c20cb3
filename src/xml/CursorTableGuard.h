#pragma once

#include "xml/ElementReader.h"

namespace zet {

// Closes the cursors a failed walk left open, so the cursor table shrinks
// back to the size it had when the guard was made.
class CursorTableGuard
{
public:
    CursorTableGuard()
        : size_(cursorTableSize())
    { }
    ~CursorTableGuard()
    {
        while (cursorTableSize() > size_) {
            int handle = -1;
            closeCursor(handle);
        }
    }
    CursorTableGuard(const CursorTableGuard &) = delete;
    CursorTableGuard &operator=(const CursorTableGuard &) = delete;

private:
    int size_;
};

} // namespace zet
