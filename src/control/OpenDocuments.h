#pragma once

#include "model/ReportDocument.h"

namespace zet {

// The documents of the preview requests, one slot per request since the
// component was loaded. Slot numbers start at 1 (slot 0 exists but is never
// handed out); slots are never reused, and a reference to a slot stays valid
// while later slots are added.
int acquirePreviewSlot();
ReportDocument &previewDocument(int slot);
// The highest slot number handed out; 0 before the first preview.
int previewCount();

} // namespace zet
