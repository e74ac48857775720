#pragma once

// What the preview keeps between runs, in the user's configuration folder through QSettings
// ("Lumenbrook/Lumenbrook.conf"), never in the program's own settings file.
#include <QKeySequence>
#include <QString>
#include <array>
#include <cstdint>

struct PreviewKey {
    uint32_t bit;       // the handheld's key
    const char* name;   // as the status bar and the keys dialog show it
    Qt::Key standard;   // what emulator users expect
};

// Arrows to the D-pad, X to A, Z to B, Enter to START, Backspace to SELECT, A and S to L and R.
inline constexpr std::array<PreviewKey, 10> kPreviewKeys = {{
    {1u << 0, "A", Qt::Key_X},          {1u << 1, "B", Qt::Key_Z},
    {1u << 2, "SELECT", Qt::Key_Backspace}, {1u << 3, "START", Qt::Key_Return},
    {1u << 4, "Right", Qt::Key_Right},  {1u << 5, "Left", Qt::Key_Left},
    {1u << 6, "Up", Qt::Key_Up},        {1u << 7, "Down", Qt::Key_Down},
    {1u << 8, "R", Qt::Key_S},          {1u << 9, "L", Qt::Key_A},
}};

struct PreviewSettings {
    bool afterBuild = false; // open the preview when a build succeeds
    int scale = 2;           // 1..4
    std::array<int, 10> keys{}; // the keyboard key for each of kPreviewKeys

    PreviewSettings();
    static PreviewSettings Load();
    void Save() const;

    // The handheld key bit a keyboard key stands for (0: none).
    uint32_t BitFor(int key) const;
    // "X: A  Z: B ..." for the status bar.
    QString MappingText(uint8_t LanguageFlag) const;
};
