#pragma once

#include "items/PictureOptions.h"
#include "items/TextSource.h"

// The build's choices in the Options menu, kept between runs with QSettings like the
// preview's.
struct BuildOptions {
    lb::TextOptions text;
    lb::PictureOptions pictures;

    static BuildOptions Load();
    void Save() const;
};
