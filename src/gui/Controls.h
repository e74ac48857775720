#pragma once

#include "gui/Twips.h"

#include <QComboBox>
#include <QLabel>

// The program's texts are UTF-8.
inline QString Utf8(const char* text) { return QString::fromUtf8(text); }

// A control named as the code and the tests know it, placed where the layout puts it.
template <typename T> T* MakeControl(QWidget* parent, const char* name, QRect where) {
    auto widget = new T(parent);
    widget->setObjectName(name);
    widget->setGeometry(where);
    return widget;
}

// A label that takes the size of its text, placed by its top left corner in twips.
inline QLabel* SizedLabel(QWidget* parent, const char* name, int left, int top, const char* text) {
    auto label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(name);
    label->move(TwipsToPixels(left), TwipsToPixels(top));
    label->adjustSize();
    return label;
}

// A drop-down list with editable text; typing adds no entry, only picking one counts.
inline QComboBox* EditableList(QWidget* parent, const char* name, QRect where) {
    auto list = MakeControl<QComboBox>(parent, name, where);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    return list;
}

// A window's control by its object name, for tests and tools; a name the window lacks is a
// mistake in the caller and ends the program with a message naming it.
template <typename T> T* FindControl(const QObject& window, const char* name) {
    T* control = window.findChild<T*>(name);
    if (!control)
        qFatal("%s has no %s named %s", qPrintable(window.objectName()),
               T::staticMetaObject.className(), name);
    return control;
}
