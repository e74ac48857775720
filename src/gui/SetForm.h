#pragma once

#include "skins/SkinChoice.h"

#include <QWidget>

class Dialogs;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The skin chooser: the skin and back picture lists, previews of the three pictures and
// the menu layout boxes. It has no close box; OK is the only way out. Its controls carry
// their object names for findChild.
class SetForm : public QWidget {
    Q_OBJECT
  public:
    SetForm(lb::SkinSelection& skins, Dialogs& dialogs);

    void ApplyCaptions(uint8_t LanguageFlag);
    // Fills the two lists and shows the entries matching the stored names.
    void FillLists(const std::vector<std::string>& skinNames,
                   const std::vector<std::string>& backNames);
    // Puts what a check or pick loaded into the previews and boxes; the rest stays.
    void ShowLoaded(const lb::SkinSelection::Loaded& loaded);

    // The menu layout boxes as the header's bytes; throws lb::Error naming a box that holds
    // no number 0..255.
    lb::MenuLayout Layout() const;

    // Lets the window close when the program ends.
    void AllowClose() { closing_ = true; }

  signals:
    void Left(); // OK was pressed

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Combo1_Click();
    void Combo2_Click();
    void Command3_Click();
    void ShowMissing(const std::vector<lb::SkinFile>& missing);

    QComboBox* Combo1; // skins
    QComboBox* Combo2; // back pictures
    QLabel* Picture2;  // title preview
    QLabel* Picture3;  // menu preview
    QLabel* Picture4;  // back preview
    QGroupBox* Frame1; // menu layout
    QLineEdit* Text1;  // X
    QLineEdit* Text2;  // Y
    QLineEdit* Text3;  // Count
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* Command1; // OK
    QPushButton* Command3; // default

    lb::SkinSelection& skins_;
    Dialogs& dialogs_;
    bool closing_ = false;
    bool placed_ = false;
};
