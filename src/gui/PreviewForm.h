#pragma once

#include "gui/PreviewSettings.h"

#include <QMainWindow>
#include <cstdint>

class Dialogs;
class PreviewRunner;
class QAction;
class QActionGroup;
class QLabel;

// The built ROM running in its own window: the frame scaled by a whole factor, keys as
// emulator users expect them, no sound. The emulator runs only while the window is open.
class PreviewForm : public QMainWindow {
    Q_OBJECT
  public:
    PreviewForm(QString rom, uint8_t LanguageFlag, Dialogs& dialogs, QWidget* parent = nullptr);
    ~PreviewForm() override;

    // Loads the ROM and starts it; false (after a message naming the file and the cause) when
    // it cannot be loaded.
    bool Open();

    PreviewRunner* runner;
    QWidget* view;
    QAction *reload, *screenshot, *screenshotScaled, *keysAction;
    QActionGroup* scales;
    PreviewSettings preview;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void SetScale(int scale);
    void SaveScreenshot(bool scaled);
    void ChangeKeys();
    void ShowMapping();

    QString rom_;
    uint8_t language_;
    Dialogs& dialogs_;
    uint32_t held_ = 0;
    bool wasActive_ = false;
};
