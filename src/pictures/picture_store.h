#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>
#include <string_view>

namespace cratefall::pictures {

// Every picture the screens show, compiled into the program and decoded at most once per run.
// Names are those the layouts use: "Tile01".."Tile21", "BarPicture", "BlueBackdrop",
// "RedBackdrop", "StripeBackdrop", "GoldBackdrop", "MedalPicture", "AboutBanner",
// "ContactPicture", "FaceIcon1".."FaceIcon5", "CartridgeIcon", "CreatureIcon".
class PictureStore {
public:
    // The decoded picture; icon mask bits come back as fully transparent pixels. In an icon
    // holding several images the one whose size matches drawnSize is chosen (the largest when
    // none matches or drawnSize is empty). An unknown name gives a null image.
    static const QImage& image(std::string_view name, QSize drawnSize = {});
    // Every image of an icon, for the window manager to pick from.
    static QIcon windowIcon(std::string_view name);
    static bool exists(std::string_view name);
    // How many decodes this run has done; a second load of a screen must not raise it.
    static int decodeCount();
};

} // namespace cratefall::pictures
