#pragma once

#include <QImage>

namespace cratefall::pictures {

QImage barPicture();     // 450 x 30
QImage medalPicture();   // 52 x 128
QImage aboutBanner();    // 200 x 50
QImage contactPicture(); // 300 x 110

} // namespace cratefall::pictures
