#pragma once

#include <QPixmap>
#include <QRect>
#include <QString>

namespace qv::widgets {

// The picture sheet shared by every LED control: 24 x 52, two columns (unlit, lit) of 12 x 13 pictures in
// four rows (red, green, yellow, disabled), with an alpha channel for the parent's colour to show through.
// It is loaded from the program's resources when its first user registers and freed when the last leaves.
class LedPictureSheet {
public:
    static constexpr int kPictureWidth = 12;
    static constexpr int kPictureHeight = 13;
    static constexpr int kDisabledRow = 3;

    static QString resourcePath() { return QStringLiteral(":/pictures/led_pics.png"); }

    static void addUser(const void* user);
    static void removeUser(const void* user);
    static int userCount();
    static bool isLoaded();
    // The sheet; a null pixmap while no LED control exists or when the program lacks the resource.
    static QPixmap pixmap();
};

// Where on the sheet the picture of an LED lies: column `lit`, row `colourRow`; a disabled LED shows the
// unlit picture of the disabled row whatever it is set to.
QRect ledSourceRect(bool lit, int colourRow, bool enabled);

} // namespace qv::widgets
