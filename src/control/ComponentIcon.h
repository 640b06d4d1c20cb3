#pragma once

#include <QIcon>

namespace zet {

// The component's logo: a page with coloured report bands.
QIcon componentIcon();

} // namespace zet
