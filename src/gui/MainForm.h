#pragma once

#include "app/Workspace.h"
#include "menu/AddFile.h"

#include <QMainWindow>
#include <filesystem>
#include <functional>

class BuildRunner;
class Dialogs;
class MenuListModel;
class QProgressBar;
class SetForm;
class PreviewForm;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QToolButton;

// The main window: the menu of entries, the settings column, the output path and the
// commands. It shows and edits a Workspace (settings, menu, skin choice); its controls carry
// their object names for findChild and are reached by nothing else.
class MainForm : public QMainWindow {
    Q_OBJECT
  public:
    // `quit` ends the program; tests pass their own.
    MainForm(lb::ProgramHome home, Dialogs& dialogs, std::function<void()> quit);
    ~MainForm() override;

    // The start-up sequence. False when the program ended during it (a skin file missing);
    // the window is then not to be shown.
    bool Load();

    // Puts the captions of the language on both windows and resets the corner list.
    void ApplyCaptions(uint8_t LanguageFlag);
    // Writes the settings file, closes the chooser and ends the program.
    void SaveSettingsAndQuit();
    void UpdateSizeLabel();

    lb::Workspace& Model() { return model_; }
    // The skin chooser, a window of its own.
    SetForm& Chooser() { return *setForm; }

    // Adds files as the Add command does (files dropped on the list come here too).
    void AddPaths(const QStringList& paths);
    // Replaces the menu with a menu list's entries (Open Menu, or a list the program was
    // started with); a list that cannot be read is named in a message and replaces nothing.
    void OpenMenuList(const QString& file);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void MakeControls(QWidget* client);
    // Names the books and archives that cannot be read, which were not added.
    void TellNotAdded(const std::vector<lb::SkippedFile>& broken);
    void MakeSettingsColumn(QWidget* client);
    void MakePathsAndStatus(QWidget* client);
    void MakeMenus();
    void MakeOptionsMenu();
    void ApplyOptionsCaptions();
    void ShowBuildOptions();
    void StoreBuildOptions(const lb::BuildChoices& options);
    void encodingOther_Click();
    void ConnectRunner();
    bool StartupSkinCheck();
    void Combo1_Click();
    void Combo3_Click();
    void Check1_Click();
    void Command2_Click();
    void LeaveChooser();
    void about_Click();
    void help1_Click();
    void Command1_Click();
    void Command3_Click();
    void Command4_Click();
    void Command6_Click();
    void Command10_Click();
    void Command7_Click();
    void Command8_Click();
    void Command11_Click();
    void Command12_Click();
    void Move(void (*move)(lb::ItemList&, std::vector<bool>&));
    void save_Click();
    // Save Menu; true when the menu list was written.
    bool SaveMenu();
    // Asks whether to save a menu that ending the program would lose; false: keep running.
    bool MayEnd();
    void open_Click();
    void Command9_Click();
    void Command13_Click();
    void Command5_Click();
    void BuildDone(bool ok, const QString& error);
    void StartFlashingProgram();
    std::vector<bool> Selected() const;
    void Select(const std::vector<bool>& marks);
    void MenuChanged(); // the list, the label and the two commands that need entries
    void SetBuilding(bool building);
    void ShowPreview();
    void UpdatePreviewAction();
    uint8_t Language() const { return model_.settings.LanguageFlag; }

    lb::Workspace model_;
    QListView* List2;
    QToolButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6, *Command10;
    QToolButton *Command7, *Command8, *Command11, *Command12;
    QToolButton *Command9, *Command13;
    QLineEdit *Text1, *Text2;
    QCheckBox* Check1;
    QFrame* Frame1;
    QComboBox *Combo1, *Combo2, *Combo3;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
    QProgressBar* progress; // entries done, shown when a build takes a while
    QAction *save, *open, *exit, *help1, *about;
    QMenu* previewMenu;
    QAction *preview, *previewAfterBuild; // preview enabled while the output file exists
    QMenu* optionsMenu;
    std::vector<QMenu*> optionMenus_;     // its submenus
    std::vector<QAction*> optionChoices_; // their choices, one for each in the choice table
    PreviewForm* previewForm = nullptr;   // the open preview window, if any
    SetForm* setForm;
    MenuListModel* menuModel;
    BuildRunner* runner;

    Dialogs& dialogs_;
    std::function<void()> quit_;
    bool ended_ = false;
    QStringList buildWarnings_; // the running build's, shown once it is done
};
