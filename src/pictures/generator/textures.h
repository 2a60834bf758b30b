#pragma once

#include <QImage>

namespace cratefall::pictures {

// The backdrops are painted from seeded noise so every build paints the same texture.
QImage blueBackdrop();   // 300 x 300
QImage redBackdrop();    // 300 x 300
QImage stripeBackdrop(); // 386 x 1196
QImage goldBackdrop();   // 900 x 700

} // namespace cratefall::pictures
