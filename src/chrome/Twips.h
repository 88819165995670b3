#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QtMath>

namespace zantor::twips {

// Window positions and sizes are kept in twips, 15 to a pixel on a standard display.
inline constexpr int kPerPixel = 15;

inline int toPixels(double twips) {
    return qRound(twips / kPerPixel);
}
inline int fromPixels(int pixels) {
    return pixels * kPerPixel;
}
inline QSize size(int width, int height) {
    return {toPixels(width), toPixels(height)};
}
inline QRect rect(int left, int top, int width, int height) {
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

} // namespace zantor::twips
