// The Options menu: how the build reads texts, kept with QSettings.
#include "app/Captions.h"
#include "common/CodePage.h"
#include "common/UserTexts.h"
#include "gui/BuildOptions.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/MainForm.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* Choice(QMenu* menu, QActionGroup* group, const char* name) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(name);
    action->setCheckable(true);
    group->addAction(action);
    return action;
}

} // namespace

void MainForm::MakeOptionsMenu() {
    optionsMenu = menuBar()->addMenu(QString());
    optionsMenu->setObjectName("optionsMenu");
    encodingMenu = optionsMenu->addMenu(QString());
    encodingMenu->setObjectName("encodingMenu");
    auto encodings = new QActionGroup(this);
    encodingAuto = Choice(encodingMenu, encodings, "encodingAuto");
    encodingKeep = Choice(encodingMenu, encodings, "encodingKeep");
    encodingOther = Choice(encodingMenu, encodings, "encodingOther");
    chineseMenu = optionsMenu->addMenu(QString());
    chineseMenu->setObjectName("chineseMenu");
    auto scripts = new QActionGroup(this);
    chineseAuto = Choice(chineseMenu, scripts, "chineseAuto");
    chineseKeep = Choice(chineseMenu, scripts, "chineseKeep");
    ShowBuildOptions();

    connect(encodingAuto, &QAction::triggered, this, [this] { SetTextEncoding("auto"); });
    connect(encodingKeep, &QAction::triggered, this, [this] { SetTextEncoding("keep"); });
    connect(encodingOther, &QAction::triggered, this, &MainForm::encodingOther_Click);
    connect(chineseAuto, &QAction::triggered, this, [this] { SetChineseScript(true); });
    connect(chineseKeep, &QAction::triggered, this, [this] { SetChineseScript(false); });
}

void MainForm::ApplyOptionsCaptions() {
    const uint8_t lang = Language();
    auto say = [lang](lb::UserText id) { return Utf8(lb::Say(id, lang)); };
    optionsMenu->setTitle(say(lb::UserText::OptionsMenu));
    encodingMenu->setTitle(say(lb::UserText::TextEncodingMenu));
    encodingAuto->setText(say(lb::UserText::EncodingAuto));
    encodingKeep->setText(say(lb::UserText::EncodingKeep));
    ShowBuildOptions(); // the third choice's caption names the encoding
    chineseMenu->setTitle(say(lb::UserText::ChineseMenu));
    chineseAuto->setText(say(lb::UserText::ChineseAuto));
    chineseKeep->setText(say(lb::UserText::ChineseKeep));
}

// Ticks the stored choices.
void MainForm::ShowBuildOptions() {
    const lb::TextOptions text = BuildOptions::Load().text;
    const bool named = text.NamesEncoding();
    (text.encoding == "auto" ? encodingAuto : named ? encodingOther : encodingKeep)->setChecked(true);
    QString other = Utf8(lb::Say(lb::UserText::EncodingOther, Language()));
    if (named) other += " (" + QString::fromStdString(text.encoding) + ")";
    encodingOther->setText(other);
    (text.convertScript ? chineseAuto : chineseKeep)->setChecked(true);
}

void MainForm::SetTextEncoding(const std::string& encoding) {
    BuildOptions options = BuildOptions::Load();
    options.text.encoding = encoding;
    options.Save();
    ShowBuildOptions();
}

void MainForm::SetChineseScript(bool convert) {
    BuildOptions options = BuildOptions::Load();
    options.text.convertScript = convert;
    options.Save();
    ShowBuildOptions();
}

void MainForm::encodingOther_Click() {
    const lb::TextOptions stored = BuildOptions::Load().text;
    const bool named = stored.NamesEncoding();
    auto answer = dialogs_.InputText(this, Utf8(lb::Say(lb::UserText::TextEncodingMenu, Language())),
                                     Utf8(lb::Say(lb::UserText::EncodingOtherPrompt, Language())),
                                     named ? QString::fromStdString(stored.encoding) : QString());
    const std::string name = answer ? answer->trimmed().toStdString() : std::string();
    if (name.empty()) {
        ShowBuildOptions(); // cancelled: the earlier choice stays ticked
        return;
    }
    if (!lb::CharsetKnown(name.c_str())) {
        dialogs_.Message(this, Utf8(lb::kNoticeTitle),
                         QString::fromStdString(lb::Say(lb::UserText::EncodingUnknown, Language(), name)));
        ShowBuildOptions();
        return;
    }
    SetTextEncoding(name);
}
