#pragma once

#include <QIcon>

class QStyle;

// The move buttons' arrows, drawn at 29 x 29 pixels.
enum class MovePicture { Top, Up, Down, Bottom };
QIcon MoveButtonPicture(MovePicture kind);
