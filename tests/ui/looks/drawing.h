#pragma once
// A window as drawn, in device pixels, and what the looks tests read from it:
// which pixels stand out from their background, and where ink begins and ends.

#include <QColor>
#include <QImage>
#include <QMap>
#include <QPixmap>
#include <QRect>
#include <QVector>
#include <QWidget>
#include <algorithm>
#include <tuple>

#include "shell/looks.h"

namespace dovanel::test {

struct Drawing {
    QImage image;
    qreal ratio = 1;

    // A rectangle of the window's (logical) pixels in device pixels.
    QRect DeviceRect(const QRect& logical) const {
        return QRectF(logical.x() * ratio, logical.y() * ratio, logical.width() * ratio,
                      logical.height() * ratio)
            .toAlignedRect()
            .intersected(image.rect());
    }
    double ContrastAt(int x, int y, const QColor& background) const {
        return image.rect().contains(x, y) ? Contrast(image.pixelColor(x, y), background) : 1.0;
    }
};

inline Drawing Draw(QWidget* window) {
    const QPixmap pixmap = window->grab();
    return {pixmap.toImage().convertToFormat(QImage::Format_RGB32), pixmap.devicePixelRatio()};
}

// The colour found most often among the pixels of `r`.
inline QColor MostCommon(const Drawing& d, const QRect& r) {
    QMap<QRgb, int> count;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (d.image.rect().contains(x, y)) ++count[d.image.pixel(x, y)];
    QRgb most = 0;
    int times = 0;
    for (auto it = count.begin(); it != count.end(); ++it)
        if (it.value() > times) std::tie(most, times) = std::pair{it.key(), it.value()};
    return QColor(most);
}

// The columns of `r` that hold ink (a pixel at 2 : 1 or more against the
// band's most common colour), as runs [first, last]; runs closer than `gap`
// pixels are one run (the letters and words of one text).
inline QVector<QPair<int, int>> InkRuns(const Drawing& d, const QRect& r, int gap) {
    const QColor background = MostCommon(d, r);
    QVector<QPair<int, int>> runs;
    for (int x = r.left(); x <= r.right(); ++x) {
        bool ink = false;
        for (int y = r.top(); y <= r.bottom() && !ink; ++y)
            ink = d.ContrastAt(x, y, background) >= 2;
        if (!ink) continue;
        if (!runs.isEmpty() && x - runs.last().second <= gap)
            runs.last().second = x;
        else
            runs.append({x, x});
    }
    return runs;
}

}  // namespace dovanel::test
