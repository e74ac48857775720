#include "gui/MainForm.h"

#include "app/Captions.h"
#include "common/Error.h"
#include "common/ProgramNames.h"
#include "common/UserTexts.h"
#include "format/FontTable.h"
#include "gui/BuildRunner.h"
#include "gui/ButtonPictures.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/MenuListModel.h"
#include "gui/PreviewForm.h"
#include "gui/PreviewSettings.h"
#include "gui/SetForm.h"
#include "menu/AddFile.h"
#include "menu/ListCommands.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QProgressBar>
#include <QStyle>
#include <QToolButton>

namespace fs = std::filesystem;

namespace {

// A button with its picture above its caption.
QToolButton* CaptionedButton(QWidget* parent, const char* name, QRect where,
                             QStyle::StandardPixmap picture, const char* caption) {
    auto button = MakeControl<QToolButton>(parent, name, where);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIcon(parent->style()->standardIcon(picture));
    button->setIconSize(QSize(16, 16));
    button->setText(Utf8(caption));
    return button;
}

QToolButton* MoveButton(QWidget* parent, const char* name, QRect where, MovePicture picture) {
    auto button = MakeControl<QToolButton>(parent, name, where);
    button->setIcon(MoveButtonPicture(picture));
    button->setIconSize(QSize(29, 29));
    return button;
}

void SetLabel(QLabel* label, const char* text) {
    label->setText(Utf8(text));
    label->adjustSize();
}

// An etched separator across the settings column.
void Separator(QWidget* parent, int top) {
    auto line = MakeControl<QFrame>(parent, "", Twips(120, top, 1800, 30));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
}

} // namespace

MainForm::MainForm(lb::ProgramHome home, Dialogs& dialogs, std::function<void()> quit)
    : model_(std::move(home)), dialogs_(dialogs), quit_(std::move(quit)) {
    setObjectName("MainForm");
    auto client = new QWidget(this);
    client->setFixedSize(TwipsToPixels(6585), TwipsToPixels(5370));
    setCentralWidget(client);
    MakeControls(client);
    MakeMenus();
    connect(Text1, &QLineEdit::textChanged, this, &MainForm::UpdatePreviewAction);
    UpdatePreviewAction();
    setForm = new SetForm(model_.skins, dialogs_);
    connect(setForm, &SetForm::Left, this, &MainForm::LeaveChooser);
    ConnectRunner();
}

MainForm::~MainForm() {
    delete setForm;
}

void MainForm::ConnectRunner() {
    runner = new BuildRunner(this);
    runner->setObjectName("runner");
    connect(runner, &BuildRunner::Shown, Label2, &QLabel::setText);
    connect(runner, &BuildRunner::EntryStarted, this, [this](int index, int count) {
        progress->setMaximum(count);
        progress->setValue(index);
    });
    connect(runner, &BuildRunner::Warned, this, [this](const QString& text) { buildWarnings_ << text; });
    connect(runner, &BuildRunner::Done, this, &MainForm::BuildDone);
}

void MainForm::MakeControls(QWidget* client) {
    menuModel = new MenuListModel(model_.menu, this);
    List2 = MakeControl<QListView>(client, "List2", Twips(120, 0, 3615, 2400));
    List2->setModel(menuModel);
    List2->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List2->viewport()->setAcceptDrops(true);
    List2->viewport()->installEventFilter(this);

    // The move buttons beside the list, then the captioned command buttons; top, left,
    // width and height in twips.
    struct MoveRow {
        QToolButton* MainForm::*button;
        const char* name;
        int top;
        MovePicture picture;
        void (MainForm::*click)();
    };
    const MoveRow moves[] = {
        {&MainForm::Command11, "Command11", 45, MovePicture::Top, &MainForm::Command11_Click},
        {&MainForm::Command7, "Command7", 645, MovePicture::Up, &MainForm::Command7_Click},
        {&MainForm::Command8, "Command8", 1245, MovePicture::Down, &MainForm::Command8_Click},
        {&MainForm::Command12, "Command12", 1845, MovePicture::Bottom, &MainForm::Command12_Click},
    };
    for (const MoveRow& m : moves) {
        this->*m.button = MoveButton(client, m.name, Twips(3870, m.top, 495, 480), m.picture);
        connect(this->*m.button, &QToolButton::clicked, this, m.click);
    }
    struct CommandRow {
        QToolButton* MainForm::*button;
        const char* name;
        int left, top, width;
        QStyle::StandardPixmap picture;
        const char* caption;
        void (MainForm::*click)();
    };
    // Chinese until the settings say otherwise, as the program first starts.
    const lb::CaptionSet& zh = lb::CaptionsFor(0);
    const CommandRow commands[] = {
        {&MainForm::Command1, "Command1", 120, 2490, 975, QStyle::SP_DialogOpenButton, zh.Command1,
         &MainForm::Command1_Click},
        {&MainForm::Command3, "Command3", 1200, 2490, 975, QStyle::SP_DialogCancelButton, zh.Command3,
         &MainForm::Command3_Click},
        {&MainForm::Command4, "Command4", 2280, 2490, 975, QStyle::SP_TrashIcon, zh.Command4,
         &MainForm::Command4_Click},
        {&MainForm::Command6, "Command6", 3360, 2490, 975, QStyle::SP_FileDialogDetailedView,
         zh.Command6, &MainForm::Command6_Click},
        {&MainForm::Command10, "Command10", 4440, 2490, 975, QStyle::SP_DirIcon, zh.Command10,
         &MainForm::Command10_Click},
        {&MainForm::Command2, "Command2", 5520, 2490, 975, QStyle::SP_DesktopIcon, zh.Command2,
         &MainForm::Command2_Click},
        {&MainForm::Command5, "Command5", 5400, 4680, 1095, QStyle::SP_MediaPlay, lb::kStartCaption,
         &MainForm::Command5_Click},
    };
    for (const CommandRow& c : commands) {
        this->*c.button = CaptionedButton(client, c.name, Twips(c.left, c.top, c.width, 615),
                                          c.picture, c.caption);
        connect(this->*c.button, &QToolButton::clicked, this, c.click);
    }

    MakeSettingsColumn(client);
    MakePathsAndStatus(client);
}

// Below the buttons: the flashing program, the ROM path and the status panel.
void MainForm::MakePathsAndStatus(QWidget* client) {
    Check1 = MakeControl<QCheckBox>(client, "Check1", Twips(120, 3195, 2655, 255));
    Text2 = MakeControl<QLineEdit>(client, "Text2", Twips(120, 3510, 5895, 375));
    // Greyed like a button face while the box is unticked; the text stays.
    QPalette greyed = Text2->palette();
    greyed.setColor(QPalette::Disabled, QPalette::Base, greyed.color(QPalette::Button));
    Text2->setPalette(greyed);
    Text2->setEnabled(false);
    Command13 = MakeControl<QToolButton>(client, "Command13", Twips(6120, 3510, 375, 375));
    Command13->setText("...");
    Label6 = SizedLabel(client, "Label6", 120, 3960, "ROM");
    Text1 = MakeControl<QLineEdit>(client, "Text1", Twips(120, 4200, 5895, 375));
    Command9 = MakeControl<QToolButton>(client, "Command9", Twips(6120, 4200, 375, 375));
    Command9->setText("...");
    Label2 = MakeControl<QLabel>(client, "Label2", Twips(120, 4680, 5175, 615));
    Label2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // The log grows downwards; where its lines do not all fit, the newest stay in view.
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    QFont small = Label2->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    Label2->setFont(small);
    Label2->setWordWrap(true);
    progress = MakeControl<QProgressBar>(client, "progress", Twips(150, 5190, 5115, 75));
    progress->setTextVisible(false);
    progress->hide();

    connect(Check1, &QCheckBox::clicked, this, &MainForm::Check1_Click);
    connect(Command9, &QToolButton::clicked, this, &MainForm::Command9_Click);
    connect(Command13, &QToolButton::clicked, this, &MainForm::Command13_Click);
}

// The framed column right of the list: size, corner, font and language.
void MainForm::MakeSettingsColumn(QWidget* client) {
    Frame1 = MakeControl<QFrame>(client, "Frame1", Twips(4440, -75, 2055, 2460));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Label3 = SizedLabel(Frame1, "Label3", 120, 200, lb::CaptionsFor(0).Label3);
    Label4 = SizedLabel(Frame1, "Label4", 720, 200, "");
    Separator(Frame1, 440);
    Combo2 = EditableList(Frame1, "Combo2", Twips(120, 600, 1815, 300));
    Separator(Frame1, 1020);
    Label5 = SizedLabel(Frame1, "Label5", 120, 1174, lb::CaptionsFor(0).Label5);
    Combo3 = EditableList(Frame1, "Combo3", Twips(120, 1424, 1815, 300));
    for (const lb_font& font : lb_fonts) Combo3->addItem(Utf8(font.list_text));
    Label1 = SizedLabel(Frame1, "Label1", 120, 1794, lb::CaptionsFor(0).Label1);
    Combo1 = EditableList(Frame1, "Combo1", Twips(120, 2024, 1815, 300));
    Combo1->addItem(Utf8(lb::kChineseLanguageEntry));
    Combo1->addItem(Utf8(lb::kEnglishLanguageEntry));
    connect(Combo1, &QComboBox::activated, this, &MainForm::Combo1_Click);
    connect(Combo3, &QComboBox::activated, this, &MainForm::Combo3_Click);
}

void MainForm::MakeMenus() {
    QMenu* menuMenu = menuBar()->addMenu(Utf8(lb::Say(lb::UserText::MenuMenu, 0)));
    menuMenu->setObjectName("menu");
    save = menuMenu->addAction(Utf8(lb::Say(lb::UserText::SaveMenuItem, 0)));
    save->setShortcut(QKeySequence("Ctrl+S"));
    open = menuMenu->addAction(Utf8(lb::Say(lb::UserText::OpenMenuItem, 0)));
    open->setShortcut(QKeySequence("Ctrl+O"));
    menuMenu->addSeparator()->setObjectName("line");
    exit = menuMenu->addAction(Utf8(lb::Say(lb::UserText::ExitItem, 0)));
    exit->setShortcut(QKeySequence("Ctrl+X"));
    QMenu* helpMenu = menuBar()->addMenu(Utf8(lb::Say(lb::UserText::HelpMenu, 0)));
    helpMenu->setObjectName("help");
    help1 = helpMenu->addAction(Utf8(lb::Say(lb::UserText::HelpItem, 0)));
    about = helpMenu->addAction(Utf8(lb::Say(lb::UserText::AboutItem, 0)));
    save->setObjectName("save");
    open->setObjectName("open");
    exit->setObjectName("exit");
    help1->setObjectName("help1");
    about->setObjectName("about");

    connect(exit, &QAction::triggered, this, [this] {
        if (isEnabled() && MayEnd()) SaveSettingsAndQuit();
    });
    connect(help1, &QAction::triggered, this, &MainForm::help1_Click);
    connect(save, &QAction::triggered, this, &MainForm::save_Click);
    connect(open, &QAction::triggered, this, &MainForm::open_Click);
    connect(about, &QAction::triggered, this, &MainForm::about_Click);

    // Beside the menus: the preview and whether a good build opens it, in a menu of their
    // own so that the second shows its check mark.
    previewMenu = menuBar()->addMenu("Preview");
    previewMenu->setObjectName("previewMenu");
    preview = previewMenu->addAction("Preview");
    preview->setObjectName("preview");
    preview->setShortcut(QKeySequence("F5"));
    previewAfterBuild = previewMenu->addAction("Preview after build");
    previewAfterBuild->setObjectName("previewAfterBuild");
    previewAfterBuild->setCheckable(true);
    previewAfterBuild->setChecked(PreviewSettings::Load().afterBuild);
    connect(preview, &QAction::triggered, this, &MainForm::ShowPreview);
    connect(previewAfterBuild, &QAction::toggled, this, [](bool on) {
        PreviewSettings stored = PreviewSettings::Load();
        stored.afterBuild = on;
        stored.Save();
    });
    MakeOptionsMenu();
}

void MainForm::ShowPreview() {
    UpdatePreviewAction();
    if (!preview->isEnabled()) return;
    if (previewForm) previewForm->close();
    previewForm = new PreviewForm(Text1->text(), Language(), dialogs_, this);
    previewForm->setAttribute(Qt::WA_DeleteOnClose);
    connect(previewForm, &QObject::destroyed, this, [this](QObject* gone) {
        if (previewForm == gone) previewForm = nullptr;
    });
    if (!previewForm->Open()) {
        previewForm->close();
        return;
    }
    previewForm->show();
}

void MainForm::UpdatePreviewAction() { preview->setEnabled(QFileInfo(Text1->text()).isFile()); }

bool MainForm::Load() {
    model_.ReadSettings();
    const lb::Settings& settings = model_.settings;
    if (settings.flash) {
        Check1->setChecked(true);
        Check1_Click();
    }
    Text2->setText(QString::fromStdString(settings.flashProgram));

    ApplyCaptions(settings.LanguageFlag);
    Combo1->setCurrentIndex(settings.LanguageFlag == 0 ? 0 : 1);

    setForm->FillLists(lb::ListSkinNames(model_.Home().skins),
                       lb::ListBackNames(model_.Home().skins));
    if (!StartupSkinCheck()) return false;

    Command5->setEnabled(false);
    save->setEnabled(false);
    model_.ClearMenu();
    Combo3->setCurrentIndex(settings.FontIndex);
    UpdateSizeLabel();
    Text1->setText(QString::fromStdString(model_.DefaultRomPath().string()));

    adjustSize();
    setFixedSize(size());
    CentreOnScreen(this);
    return true;
}

// The stored skin must be complete. If it is not, the default skin is stored and the
// program ends; if the default skin itself is incomplete, one message says what is missing
// and the settings stay as they were, so the next start does not repeat this blindly.
bool MainForm::StartupSkinCheck() {
    lb::SkinSelection& skins = model_.skins;
    auto loaded = skins.CheckStored(skins.SkinName, skins.BackName);
    if (loaded.missing.empty()) {
        setForm->ShowLoaded(loaded);
        return true;
    }
    const QString notice = Utf8(lb::kNoticeTitle);
    auto defaultsMissing = skins.MissingDefaults();
    if (!defaultsMissing.empty()) {
        dialogs_.Message(this, notice,
                         QString::fromStdString(
                             lb::IncompleteDefaultMessage(Language(), skins, defaultsMissing)));
        ended_ = true;
        quit_();
        return false;
    }
    dialogs_.Message(this, notice, Utf8(lb::MissingMessage(loaded.missing.front())));
    skins.SkinName = lb::kDefaultSkinName;
    skins.BackName = lb::kDefaultBackName;
    SaveSettingsAndQuit();
    return false;
}

void MainForm::ApplyCaptions(uint8_t LanguageFlag) {
    const lb::CaptionSet& c = lb::CaptionsFor(LanguageFlag);
    setWindowTitle(Utf8(c.mainTitle));
    Command1->setText(Utf8(c.Command1));
    Command3->setText(Utf8(c.Command3));
    Command4->setText(Utf8(c.Command4));
    Command2->setText(Utf8(c.Command2));
    Command6->setText(Utf8(c.Command6));
    Command10->setText(Utf8(c.Command10));
    SetLabel(Label1, c.Label1);
    SetLabel(Label3, c.Label3);
    SetLabel(Label5, c.Label5);
    SetLabel(Label6, c.Label6);
    Combo2->clear();
    for (const char* corner : c.corners) Combo2->addItem(Utf8(corner));
    Combo2->setCurrentIndex(0);
    Check1->setText(Utf8(c.Check1));
    // The English caption is wider than the box was drawn for.
    Check1->resize(std::max(TwipsToPixels(2655), Check1->sizeHint().width()), Check1->height());
    setForm->ApplyCaptions(LanguageFlag);
    const lb::PreviewCaptionSet& p = lb::PreviewCaptionsFor(LanguageFlag);
    previewMenu->setTitle(Utf8(p.preview));
    preview->setText(Utf8(p.preview));
    previewAfterBuild->setText(Utf8(p.afterBuild));
    ApplyOptionsCaptions();
}

void MainForm::UpdateSizeLabel() {
    Label4->setText(QString::fromStdString(model_.menu.SizeLabel()));
    Label4->adjustSize();
}

void MainForm::SaveSettingsAndQuit() {
    if (ended_) return;
    ended_ = true;
    try {
        model_.WriteSettings(Check1->isChecked(), Text2->text().toStdString());
    } catch (const lb::Error& e) {
        QString lead = Utf8(lb::Say(lb::UserText::SettingsNotSaved, Language()));
        dialogs_.Message(this, Utf8(lb::kNoticeTitle), lead + QString::fromUtf8(e.what()));
    }
    setForm->AllowClose();
    setForm->close();
    quit_();
}

void MainForm::closeEvent(QCloseEvent* event) {
    // While the chooser is open the main window is disabled and cannot be closed.
    if (!ended_ && (!isEnabled() || !MayEnd())) {
        event->ignore();
        return;
    }
    SaveSettingsAndQuit();
    event->accept();
}

void MainForm::Combo1_Click() {
    model_.settings.LanguageFlag = lb::LanguageForEntry(Combo1->currentText().toUtf8().constData());
    ApplyCaptions(Language());
}

void MainForm::Combo3_Click() {
    if (Combo3->currentIndex() < 0) return;
    model_.settings.FontIndex = static_cast<uint8_t>(Combo3->currentIndex());
    lb::ChangeFont(model_.menu, model_.settings.FontIndex);
    UpdateSizeLabel();
}

void MainForm::Check1_Click() {
    Text2->setEnabled(Check1->isChecked());
}

void MainForm::Command2_Click() {
    setEnabled(false);
    setForm->show();
    setForm->raise();
    setForm->activateWindow();
}

void MainForm::LeaveChooser() {
    show();
    setForm->hide();
    setEnabled(true);
}

void MainForm::about_Click() {
    const uint8_t language = Language();
    dialogs_.Message(this, Utf8(lb::AboutTitle(language)),
                     QString::fromStdString(lb::AboutText(language)));
}

void MainForm::help1_Click() {
    dialogs_.OpenInBrowser(QUrl::fromLocalFile(
        QString::fromStdString((model_.ProgramFolder() / lb::kHelpPage).string())));
}
