#pragma once

#include <QSettings>
#include <memory>

// The user's own choices of the desktop program (the preview's, the build options), kept in
// the user's configuration folder ("Lumenbrook/Lumenbrook.conf"), never in the program's
// settings file.
inline std::unique_ptr<QSettings> UserStore() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Lumenbrook",
                                       "Lumenbrook");
}
