#include "control/ComponentIcon.h"

#include <QPainter>
#include <QPixmap>

namespace zet {

namespace {

QPixmap drawLogo(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 32.0;
    const QRectF page(5 * unit, 2 * unit, 22 * unit, 28 * unit);
    painter.setPen(QPen(QColor(60, 60, 60), qMax<qreal>(1, unit)));
    painter.setBrush(Qt::white);
    painter.drawRect(page);
    const QColor bands[] = { QColor(70, 110, 190), QColor(200, 200, 200), QColor(200, 200, 200),
        QColor(200, 200, 200), QColor(230, 150, 40) };
    qreal y = page.top() + 3 * unit;
    for (const QColor &colour : bands) {
        painter.fillRect(QRectF(page.left() + 3 * unit, y, 16 * unit, 3 * unit), colour);
        y += 5 * unit;
    }
    return pixmap;
}

} // namespace

QIcon componentIcon()
{
    QIcon icon;
    for (int size : { 16, 24, 32, 48, 64 })
        icon.addPixmap(drawLogo(size));
    return icon;
}

} // namespace zet
