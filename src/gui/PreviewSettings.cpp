#include "gui/PreviewSettings.h"

#include "common/UserTexts.h"
#include "gui/UserStore.h"

#include <QSettings>
#include <algorithm>
#include <memory>

namespace {

QString KeyText(int key) { return QKeySequence(key).toString(QKeySequence::PortableText); }

} // namespace

PreviewSettings::PreviewSettings() {
    for (size_t i = 0; i < kPreviewKeys.size(); ++i) keys[i] = kPreviewKeys[i].standard;
}

PreviewSettings PreviewSettings::Load() {
    PreviewSettings s;
    auto store = UserStore();
    s.afterBuild = store->value("preview/afterBuild", false).toBool();
    s.scale = std::clamp(store->value("preview/scale", 2).toInt(), 1, 4);
    for (size_t i = 0; i < kPreviewKeys.size(); ++i) {
        QKeySequence key = QKeySequence::fromString(
            store->value(QString("preview/keys/") + kPreviewKeys[i].name).toString(), QKeySequence::PortableText);
        if (key.count() == 1) s.keys[i] = key[0].toCombined();
    }
    return s;
}

void PreviewSettings::Save() const {
    auto store = UserStore();
    store->setValue("preview/afterBuild", afterBuild);
    store->setValue("preview/scale", scale);
    for (size_t i = 0; i < kPreviewKeys.size(); ++i)
        store->setValue(QString("preview/keys/") + kPreviewKeys[i].name, KeyText(keys[i]));
}

uint32_t PreviewSettings::BitFor(int key) const {
    uint32_t bits = 0;
    for (size_t i = 0; i < kPreviewKeys.size(); ++i)
        // The keypad's Enter does what Return does.
        if (keys[i] == key || (keys[i] == Qt::Key_Return && key == Qt::Key_Enter)) bits |= kPreviewKeys[i].bit;
    return bits;
}

QString PreviewSettings::MappingText(uint8_t LanguageFlag) const {
    // The order emulator users read it in; the D-pad in a word when it is on the arrows.
    static const int order[] = {4, 5, 6, 7, 0, 1, 3, 2, 9, 8};
    const bool arrows = keys[4] == Qt::Key_Right && keys[5] == Qt::Key_Left && keys[6] == Qt::Key_Up &&
                        keys[7] == Qt::Key_Down;
    QStringList parts;
    if (arrows) parts << QString::fromUtf8(lb::Say(lb::UserText::PreviewArrows, LanguageFlag));
    for (int i : order)
        if (!arrows || i < 4 || i > 7) parts << KeyText(keys[static_cast<size_t>(i)]) + ": " + kPreviewKeys[static_cast<size_t>(i)].name;
    return parts.join("  ");
}
