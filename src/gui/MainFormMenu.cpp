// The main window's menu commands: each asks what it needs, calls the menu's own function
// and shows the result.
#include "app/Captions.h"
#include "app/DialogTexts.h"
#include "common/Error.h"
#include "common/Files.h"
#include "common/ProgramNames.h"
#include "common/UserTexts.h"
#include "gui/BuildOptions.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/MainForm.h"
#include "gui/MenuListModel.h"
#include "menu/AddFile.h"
#include "menu/ListCommands.h"
#include "menu/MenuListFile.h"

#include <QAction>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QToolButton>

namespace {

FileQuestion Question(const lb::FileDialogText& text, const QString& initial = {}) {
    FileQuestion question;
    question.title = Utf8(text.title);
    question.filters = text.filters;
    question.initial = initial;
    return question;
}

} // namespace

std::vector<bool> MainForm::Selected() const {
    std::vector<bool> marks(model_.menu.entries.size(), false);
    for (const QModelIndex& index : List2->selectionModel()->selectedIndexes())
        if (index.row() >= 0 && static_cast<size_t>(index.row()) < marks.size())
            marks[static_cast<size_t>(index.row())] = true;
    return marks;
}

void MainForm::Select(const std::vector<bool>& marks) {
    QItemSelection selection;
    for (size_t i = 0; i < marks.size(); ++i)
        if (marks[i]) {
            QModelIndex index = menuModel->index(static_cast<int>(i));
            selection.select(index, index);
        }
    List2->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void MainForm::MenuChanged() {
    menuModel->Refresh();
    UpdateSizeLabel();
}

void MainForm::AddPaths(const QStringList& paths) {
    const lb::BuildChoices options = BuildOptions::Load();
    model_.menu.pictures = options.pictures;
    model_.menu.pageText = options.text.page;
    std::vector<lb::SkippedFile> broken;
    for (const QString& path : paths)
        for (lb::SkippedFile& s : lb::AddFile(model_.menu, path.toStdString()))
            if (s.broken) broken.push_back(std::move(s));
    MenuChanged();
    TellNotAdded(broken);
    if (!model_.menu.entries.empty()) {
        Command5->setEnabled(true);
        save->setEnabled(true);
    }
}

void MainForm::Command1_Click() {
    lb::FileDialogText text = lb::AddFilesDialog(Language());
    FileQuestion question = Question(text);
    question.several = true;
    QStringList chosen = dialogs_.OpenFiles(this, question);
    if (!chosen.isEmpty()) AddPaths(chosen);
}

void MainForm::Command3_Click() {
    std::vector<bool> marks = Selected();
    lb::ClearSelected(model_.menu, marks);
    MenuChanged();
    if (model_.menu.entries.empty()) {
        Command5->setEnabled(false);
        save->setEnabled(false);
    }
}

void MainForm::Command4_Click() {
    model_.ClearMenu();
    MenuChanged();
    Command5->setEnabled(false);
    save->setEnabled(false);
}

void MainForm::Command6_Click() {
    const QString title = Utf8(lb::RenameTitle(Language()));
    std::vector<bool> marks = Selected();
    lb::RenameSelected(model_.menu, marks,
                       [&](const std::string& name) -> std::optional<std::string> {
                           QString current = QString::fromStdString(name);
                           auto answer = dialogs_.InputText(this, title, current, current);
                           if (!answer) return std::nullopt;
                           return answer->toStdString();
                       });
    menuModel->Refresh();
    Select(marks);
}

void MainForm::Command10_Click() {
    lb::FileDialogText text = lb::CategoryDialog(Language());
    FileQuestion question = Question(text);
    question.confirmOverwrite = true;
    QString chosen = dialogs_.SaveFile(this, question);
    if (chosen.isEmpty()) return;
    std::string path = lb::CategoryPathFor(chosen.toStdString());
    try {
        lb::ReplaceFileContents(path, lb::CategoryFileText());
    } catch (const lb::Error& e) {
        dialogs_.Message(this, Utf8(lb::kNoticeTitle), QString::fromUtf8(e.what()));
        return;
    }
    AddPaths({QString::fromStdString(path)});
}

void MainForm::Command7_Click() {
    Move(lb::MoveUp);
}
void MainForm::Command8_Click() {
    Move(lb::MoveDown);
}
void MainForm::Command11_Click() {
    Move(lb::MoveToTop);
}
void MainForm::Command12_Click() {
    Move(lb::MoveToBottom);
}

void MainForm::Move(void (*move)(lb::ItemList&, std::vector<bool>&)) {
    std::vector<bool> marks = Selected();
    if (std::find(marks.begin(), marks.end(), true) == marks.end()) return;
    move(model_.menu, marks);
    menuModel->Refresh();
    Select(marks);
}

void MainForm::save_Click() {
    SaveMenu();
}

bool MainForm::SaveMenu() {
    lb::FileDialogText text = lb::SaveMenuDialog(Language());
    FileQuestion question = Question(text);
    question.confirmOverwrite = true;
    QString chosen = dialogs_.SaveFile(this, question);
    if (chosen.isEmpty()) return false;
    std::vector<std::string> paths;
    for (const auto& entry : model_.menu.entries) paths.push_back(entry.path);
    try {
        lb::WriteMenuList(chosen.toStdString(), paths);
    } catch (const lb::Error& e) {
        dialogs_.Message(this, Utf8(lb::kNoticeTitle), QString::fromUtf8(e.what()));
        return false;
    }
    model_.MenuKept();
    return true;
}

bool MainForm::MayEnd() {
    if (!model_.MenuWouldBeLost()) return true;
    const auto say = [this](lb::UserText id) { return Utf8(lb::Say(id, Language())); };
    const SaveQuestion question{
        Utf8(lb::kProgramTitle),           say(lb::UserText::SaveMenuQuestion),
        say(lb::UserText::SaveMenuDetail), say(lb::UserText::SaveButton),
        say(lb::UserText::DiscardButton),  say(lb::UserText::CancelButton)};
    switch (dialogs_.AskToSave(this, question)) {
    case SaveAnswer::Save:
        return SaveMenu();
    case SaveAnswer::Discard:
        return true;
    default:
        return false;
    }
}

void MainForm::open_Click() {
    lb::FileDialogText text = lb::OpenMenuDialog(Language());
    FileQuestion question = Question(text);
    QStringList chosen = dialogs_.OpenFiles(this, question);
    if (!chosen.isEmpty()) OpenMenuList(chosen.front());
}

void MainForm::OpenMenuList(const QString& file) {
    std::vector<lb::SkippedFile> broken;
    try {
        const lb::BuildChoices options = BuildOptions::Load();
        model_.menu.pictures = options.pictures;
        model_.menu.pageText = options.text.page;
        for (lb::SkippedFile& s :
             lb::OpenMenu(model_.menu, file.toStdString(), model_.settings.FontIndex))
            if (s.broken) broken.push_back(std::move(s));
    } catch (const lb::Error& e) {
        // The menu stays as it was; a list that cannot be read replaces nothing.
        dialogs_.Message(this, Utf8(lb::kNoticeTitle), QString::fromUtf8(e.what()));
        return;
    }
    model_.MenuKept();
    MenuChanged();
    Command5->setEnabled(true);
    TellNotAdded(broken);
}

void MainForm::TellNotAdded(const std::vector<lb::SkippedFile>& broken) {
    if (broken.empty()) return;
    QString text = Utf8(lb::Say(lb::UserText::NotAdded, Language()));
    for (const lb::SkippedFile& s : broken)
        text += "\n" + QString::fromStdString(s.path) + ": " + QString::fromStdString(s.reason);
    dialogs_.Message(this, Utf8(lb::kNoticeTitle), text);
}

void MainForm::Command9_Click() {
    lb::FileDialogText text = lb::RomDialog(Language());
    FileQuestion question = Question(text, Text1->text());
    question.confirmOverwrite = true;
    QString chosen = dialogs_.SaveFile(this, question);
    if (!chosen.isEmpty()) Text1->setText(chosen);
}

void MainForm::Command13_Click() {
    lb::FileDialogText text = lb::FlashProgramDialog(Language());
    FileQuestion question = Question(text, Text2->text());
    question.mustExist = true;
    QStringList chosen = dialogs_.OpenFiles(this, question);
    if (!chosen.isEmpty()) Text2->setText(chosen.front());
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List2->viewport() && Command1->isEnabled()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto drag = static_cast<QDropEvent*>(event);
            if (drag->mimeData()->hasUrls()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto drop = static_cast<QDropEvent*>(event);
            QStringList paths;
            for (const QUrl& url : drop->mimeData()->urls())
                if (url.isLocalFile()) paths << url.toLocalFile();
            AddPaths(paths);
            drop->acceptProposedAction();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
