#include "shell/artwork.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

namespace dovanel {

namespace {

// A transparent square of `size` logical pixels, with a pixel for every
// device pixel of the screen, so pictures stay sharp on scaled screens.
QPixmap Blank(int size) {
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QPixmap ProgramIcon(int size) {
    QPixmap pixmap = Blank(size);
    QPainter p(&pixmap);
    QSvgRenderer picture(QString(":/dovanel/dovanel.svg"));
    picture.render(&p, QRectF(0, 0, size, size));
    return pixmap;
}

QPixmap KeysPicture(int size) {
    QPixmap pixmap = Blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    const QColor colours[2] = {QColor(200, 160, 40), QColor(150, 150, 160)};
    for (int k = 0; k < 2; ++k) {
        p.save();
        p.translate(28 + k * 14, 14 + k * 6);  // both keys, teeth and all, inside the square
        p.rotate(35 - k * 20);
        p.setPen(QPen(colours[k].darker(140), 2));
        p.setBrush(colours[k]);
        p.drawEllipse(QRectF(-10, -10, 20, 20));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(-3, -3, 6, 6));
        p.setBrush(colours[k]);
        p.drawRect(QRectF(-2.5, 9, 5, 32));
        p.drawRect(QRectF(2.5, 30, 6, 4));
        p.drawRect(QRectF(2.5, 36, 8, 4));
        p.restore();
    }
    return pixmap;
}

QPixmap RedFlagPicture(int size) {
    QPixmap pixmap = Blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(150, 110, 70), 2.5));  // a pole seen on light and dark backgrounds
    p.drawLine(QPointF(7, 3), QPointF(7, 30));
    QPainterPath flag;
    flag.moveTo(8, 4);
    flag.cubicTo(14, 1, 19, 8, 28, 5);
    flag.lineTo(28, 17);
    flag.cubicTo(19, 20, 14, 13, 8, 16);
    flag.closeSubpath();
    p.setPen(QPen(QColor(140, 0, 0), 1));
    p.setBrush(QColor(220, 20, 20));
    p.drawPath(flag);
    return pixmap;
}

QPixmap ArrowPicture(int size, bool up) {
    QPixmap pixmap = Blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    if (!up) {
        p.translate(0, 32);
        p.scale(1, -1);
    }
    QPainterPath arrow;
    arrow.moveTo(16, 3);
    arrow.lineTo(29, 17);
    arrow.lineTo(21, 17);
    arrow.lineTo(21, 29);
    arrow.lineTo(11, 29);
    arrow.lineTo(11, 17);
    arrow.lineTo(3, 17);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(20, 40, 110), 1.5));
    p.setBrush(QColor(60, 100, 200));
    p.drawPath(arrow);
    return pixmap;
}

}  // namespace dovanel
