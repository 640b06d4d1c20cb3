#pragma once

#include "model/ReportDocument.h"

#include <deque>

namespace zet {

// The documents of one control's preview requests, one slot per request.
// Slot numbers start at 1 (slot 0 exists but is never handed out); slots are
// never reused or removed, so a closed preview leaves its released document
// behind. A reference to a slot stays valid while a request started during a
// preview adds a later slot.
class OpenDocuments
{
public:
    OpenDocuments();

    // Adds a slot whose document is marked in use; returns its number.
    int acquire();
    // The slot's document; zet::Error 9 for a number never handed out.
    ReportDocument &document(int slot);
    // The highest slot number handed out; 0 before the first preview.
    int previewCount() const { return int(documents_.size()) - 1; }

private:
    // A deque, not a list: appending keeps references to earlier slots valid.
    std::deque<ReportDocument> documents_;
};

} // namespace zet
