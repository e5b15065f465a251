// The icons: the player standing, facing the viewer, centred on a square, for the desktop and
// for the page's home-screen icons.
#pragma once

#include "bmp_writer.h"

namespace pictures {

// The sizes of the hicolor icon theme that desktops ask for, in pixels a side.
constexpr int ICON_SIZES[] = {
    16,  // menus and panels
    32,  // menus at twice the density
    48,  // application lists
    64,  // ... at a larger size
    128, // software centres
    256, // ... on dense screens
};

// The page's icons, in pixels a side: as the desktop's, on transparency, for a phone's home
// screen and a desktop's app list...
constexpr int PAGE_ICON_SIZES[] = {
    192, // a phone's home screen
    512, // splash screens and app stores
};
// ... and filled to the edges, for launchers that cut an icon to a shape of their own, and
// for iOS, which blackens transparency.
constexpr int FILLED_ICON_SIZES[] = {
    180, // iOS's home screen
    192, // a phone's home screen, cut to the launcher's shape
    512, // ... and its splash screen
};

// size x size; MAGENTA around the figure, which the PNG encoding makes transparent.
Image make_icon(int size);

// size x size, opaque: the figure on the path's sand, small enough to stay whole in the circle
// of the middle 80 %, which is all a launcher promises to show.
Image make_filled_icon(int size);

} // namespace pictures
