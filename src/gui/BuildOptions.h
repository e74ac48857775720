#pragma once

#include "items/TextSource.h"

// The build's choices in the Options menu, kept between runs with QSettings like the
// preview's.
struct BuildOptions {
    lb::TextOptions text;

    static BuildOptions Load();
    void Save() const;
};
