#pragma once

#include <QRect>

// Window layouts are given in twips; at 96 dots per inch a pixel is 15 twips, and Qt's
// device-independent pixels scale that for other screens.
inline int TwipsToPixels(int twips) {
    return (twips + (twips >= 0 ? 7 : -7)) / 15;
}

inline QRect Twips(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}

#include <QScreen>
#include <QWidget>

// Windows open in the middle of the screen they are on.
inline void CentreOnScreen(QWidget* window) {
    if (QScreen* screen = window->screen()) {
        QRect area = screen->availableGeometry();
        window->move(area.center() - window->frameGeometry().center() + window->pos());
    }
}
