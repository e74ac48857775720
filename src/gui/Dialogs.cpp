#include "gui/Dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

// A file dialog set up from a question. Qt's own dialog, so that the filters match in any
// letter case and the executable files can be offered.
void SetUp(QFileDialog& dialog, const FileQuestion& question) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setWindowTitle(question.title);
    const QStringList filters = NameFilters(question.filters);
    dialog.setNameFilters(filters);
    QStringList executables;
    for (size_t k = 0; k < question.filters.size(); ++k)
        if (question.filters[k].executables) executables << filters[int(k)];
    if (!executables.isEmpty()) {
        auto showFor = [&dialog, executables](const QString& filter) {
            QDir::Filters shown = QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot;
            dialog.setFilter(executables.contains(filter) ? shown | QDir::Executable : shown);
        };
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, showFor);
        showFor(filters.front());
    }
    if (!question.initial.isEmpty()) dialog.selectFile(question.initial);
}

} // namespace

QStringList NameFilters(const std::vector<lb::FileFilter>& filters) {
    QStringList out;
    for (const lb::FileFilter& filter : filters) {
        QStringList patterns;
        for (const std::string& pattern : filter.patterns) {
            QString any;
            for (QChar c : QString::fromStdString(pattern))
                any += c.isLetter() ? "[" + QString(c.toUpper()) + QString(c.toLower()) + "]" : QString(c);
            patterns << any;
        }
        out << QString::fromStdString(filter.description) + " (" + patterns.join(' ') + ")";
    }
    return out;
}

bool QtDialogs::Ask(QWidget* owner, const QString& title, const QString& text) {
    return QMessageBox::question(owner, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

SaveAnswer QtDialogs::AskToSave(QWidget* owner, const SaveQuestion& question) {
    QMessageBox box(QMessageBox::Warning, question.title, question.text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setInformativeText(question.detail);
    box.button(QMessageBox::Save)->setText(question.save);
    box.button(QMessageBox::Discard)->setText(question.discard);
    box.button(QMessageBox::Cancel)->setText(question.cancel);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    return answer == QMessageBox::Save      ? SaveAnswer::Save
           : answer == QMessageBox::Discard ? SaveAnswer::Discard
                                            : SaveAnswer::Cancel;
}

void QtDialogs::Message(QWidget* owner, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner);
    box.exec();
}

void QtDialogs::OpenInBrowser(const QUrl& url) {
    // As the shell's "open" verb: a failure is not the program's concern.
    QDesktopServices::openUrl(url);
}

QStringList QtDialogs::OpenFiles(QWidget* owner, const FileQuestion& question) {
    QFileDialog dialog(owner);
    SetUp(dialog, question);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(question.several     ? QFileDialog::ExistingFiles
                       : question.mustExist ? QFileDialog::ExistingFile
                                            : QFileDialog::AnyFile);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QString QtDialogs::SaveFile(QWidget* owner, const FileQuestion& question) {
    QFileDialog dialog(owner);
    SetUp(dialog, question);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !question.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

std::optional<QString> QtDialogs::InputText(QWidget* owner, const QString& title,
                                            const QString& prompt, const QString& text) {
    bool ok = false;
    QString answer = QInputDialog::getText(owner, title, prompt, QLineEdit::Normal, text, &ok);
    if (!ok) return std::nullopt;
    return answer;
}
