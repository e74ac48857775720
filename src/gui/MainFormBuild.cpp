// Start: the build on its own thread from a copy of the menu and settings, and the
// flashing program after it.
#include "app/Captions.h"
#include "common/Error.h"
#include "common/UserTexts.h"
#include "format/RomLayout.h"
#include "gui/BuildOptions.h"
#include "gui/BuildRunner.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/MainForm.h"
#include "gui/SetForm.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>

void MainForm::SetBuilding(bool building) {
    for (QWidget* button : {Command1, Command2, Command3, Command4, Command5, Command6, Command10})
        button->setEnabled(!building);
    open->setEnabled(!building);
}

void MainForm::Command5_Click() {
    if (runner->Running()) return;
    if (model_.menu.TotalSize > LB_CART_ADDRESS_BYTES) {
        const QString question =
            QString::fromStdString(lb::TooLargeQuestion(Language(), model_.menu.TotalSize));
        Label2->setText(question);
        if (!dialogs_.Ask(this, Utf8(lb::kNoticeTitle), question)) return;
    }
    buildWarnings_.clear();
    Label2->clear();
    lb::BuildChoices choices = BuildOptions::Load(model_.Choices());
    choices.corner = std::max(0, Combo2->currentIndex());
    try {
        choices.layout = setForm->Layout();
    } catch (const lb::Error& e) {
        BuildDone(false, QString::fromUtf8(e.what()));
        return;
    }
    lb::BuildRequest request = model_.RequestFor(choices, Text1->text().toStdString());
    SetBuilding(true);
    progress->setValue(0);
    // Only a build long enough to notice shows its progress bar.
    QTimer::singleShot(400, progress, [this] {
        if (runner->Running()) progress->show();
    });
    runner->Start(std::move(request));
}

void MainForm::BuildDone(bool ok, const QString& error) {
    progress->hide();
    if (ok) {
        if (!buildWarnings_.isEmpty()) {
            QString lead = Utf8(lb::Say(lb::UserText::BuildDoneWithWarnings, Language()));
            dialogs_.Message(this, Utf8(lb::kNoticeTitle), lead + buildWarnings_.join("\n"));
        }
        StartFlashingProgram();
        UpdatePreviewAction();
        if (previewAfterBuild->isChecked()) ShowPreview();
    } else {
        QString lead = Utf8(lb::Say(lb::UserText::BuildFailed, Language()));
        dialogs_.Message(this, Utf8(lb::kNoticeTitle), lead + error);
    }
    SetBuilding(false);
}

void MainForm::StartFlashingProgram() {
    const QString program = Text2->text();
    if (!Text2->isEnabled() || program.isEmpty() || !QFileInfo(program).isFile()) return;
    // The whole text is the program's path; no shell, no arguments, no waiting.
    if (!QProcess::startDetached(program, {})) {
        QString lead = Utf8(lb::Say(lb::UserText::FlashingProgramNotStarted, Language()));
        dialogs_.Message(this, Utf8(lb::kNoticeTitle), lead + program);
    }
}
