#pragma once
// Window designs are in twips: 1440 a inch, 15 a pixel at 96 dots per inch.

#include <QRect>

namespace platform {

constexpr int TwipsPerPixel = 15;
constexpr int Px(int twips) { return (twips + TwipsPerPixel / 2) / TwipsPerPixel; }
constexpr QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

} // namespace platform
