#include "gui/ButtonPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

QIcon MoveButtonPicture(MovePicture kind) {
    const int size = 29;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2B, 0x57, 0x9A));
    const bool up = kind == MovePicture::Top || kind == MovePicture::Up;
    // An arrow head over a short shaft, pointing up; turned over for down.
    QPainterPath arrow;
    arrow.moveTo(14.5, 6);
    arrow.lineTo(24, 16);
    arrow.lineTo(18, 16);
    arrow.lineTo(18, 24);
    arrow.lineTo(11, 24);
    arrow.lineTo(11, 16);
    arrow.lineTo(5, 16);
    arrow.closeSubpath();
    if (!up) painter.translate(0, size), painter.scale(1, -1);
    painter.drawPath(arrow);
    // Top and bottom also have a bar the arrow runs into.
    if (kind == MovePicture::Top || kind == MovePicture::Bottom) painter.drawRect(5, 2, 19, 3);
    return QIcon(pixmap);
}
