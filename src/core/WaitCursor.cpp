#include "core/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace zet {

WaitCursor::WaitCursor(Qt::CursorShape shape)
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(shape));
        active_ = true;
    }
}

WaitCursor::~WaitCursor()
{
    if (active_)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace zet
