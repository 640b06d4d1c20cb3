#pragma once

namespace zet {

// False while RenderPage is drawing a page, true once it has finished (and
// before the first page). The preview's edit boxes take a text change for a
// user edit only while it is true, so the renderer's own text assignments
// never reach the data values. One flag for the whole process (single UI
// thread).
inline bool RenderIdle = false;

} // namespace zet
