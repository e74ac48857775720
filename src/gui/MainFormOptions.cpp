// The Options menu: how the build reads texts and fits pictures, kept with QSettings.
#include "app/Captions.h"
#include "common/CodePage.h"
#include "common/UserTexts.h"
#include "gui/BuildOptions.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/MainForm.h"
#include "menu/AddFile.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace {

using lb::UserText;

// The submenus, each with its radio groups in order.
struct OptionMenu {
    const char* name;
    UserText caption;
};
const OptionMenu kMenus[] = {{"encodingMenu", UserText::TextEncodingMenu},
                             {"chineseMenu", UserText::ChineseMenu},
                             {"picturesMenu", UserText::PicturesMenu},
                             {"pageTextMenu", UserText::PageTextMenu},
                             {"readingOrderMenu", UserText::ReadingOrderMenu},
                             {"paragraphsMenu", UserText::ParagraphsMenu}};

// One choice: its submenu and radio group, whether the stored options hold it, and what
// picking it stores (nothing for a choice that asks first).
struct OptionChoice {
    const char* name;
    UserText caption;
    int menu, group;
    bool (*chosen)(const lb::BuildChoices&);
    void (*choose)(lb::BuildChoices&);
};
const OptionChoice kChoices[] = {
    {"encodingAuto", UserText::EncodingAuto, 0, 0,
     [](const lb::BuildChoices& o) { return o.text.encoding == "auto"; },
     [](lb::BuildChoices& o) { o.text.encoding = "auto"; }},
    {"encodingKeep", UserText::EncodingKeep, 0, 0,
     [](const lb::BuildChoices& o) { return o.text.encoding == "keep"; },
     [](lb::BuildChoices& o) { o.text.encoding = "keep"; }},
    {"encodingOther", UserText::EncodingOther, 0, 0,
     [](const lb::BuildChoices& o) { return o.text.NamesEncoding(); }, nullptr},
    {"chineseAuto", UserText::ChineseAuto, 1, 1,
     [](const lb::BuildChoices& o) { return o.text.convertScript; },
     [](lb::BuildChoices& o) { o.text.convertScript = true; }},
    {"chineseKeep", UserText::ChineseKeep, 1, 1,
     [](const lb::BuildChoices& o) { return !o.text.convertScript; },
     [](lb::BuildChoices& o) { o.text.convertScript = false; }},
    {"fitAuto", UserText::FitAuto, 2, 2,
     [](const lb::BuildChoices& o) { return o.pictures.fit == lb::FitRule::Auto; },
     [](lb::BuildChoices& o) { o.pictures.fit = lb::FitRule::Auto; }},
    {"fitScreen", UserText::FitScreen, 2, 2,
     [](const lb::BuildChoices& o) { return o.pictures.fit == lb::FitRule::Screen; },
     [](lb::BuildChoices& o) { o.pictures.fit = lb::FitRule::Screen; }},
    {"fitWidth", UserText::FitWidth, 2, 2,
     [](const lb::BuildChoices& o) { return o.pictures.fit == lb::FitRule::Width; },
     [](lb::BuildChoices& o) { o.pictures.fit = lb::FitRule::Width; }},
    {"fitKeep", UserText::FitKeep, 2, 2,
     [](const lb::BuildChoices& o) { return o.pictures.fit == lb::FitRule::Keep; },
     [](lb::BuildChoices& o) { o.pictures.fit = lb::FitRule::Keep; }},
    {"colours32768", UserText::Colours32768, 2, 3,
     [](const lb::BuildChoices& o) { return o.pictures.colours == 32768; },
     [](lb::BuildChoices& o) { o.pictures.colours = 32768; }},
    {"colours256", UserText::Colours256, 2, 3,
     [](const lb::BuildChoices& o) { return o.pictures.colours == 256; },
     [](lb::BuildChoices& o) { o.pictures.colours = 256; }},
    {"colours16", UserText::Colours16, 2, 3,
     [](const lb::BuildChoices& o) { return o.pictures.colours == 16; },
     [](lb::BuildChoices& o) { o.pictures.colours = 16; }},
    {"trimPages", UserText::TrimPages, 2, 4,
     [](const lb::BuildChoices& o) { return o.pictures.trim == lb::TrimRule::Pages; },
     [](lb::BuildChoices& o) { o.pictures.trim = lb::TrimRule::Pages; }},
    {"trimAll", UserText::TrimAll, 2, 4,
     [](const lb::BuildChoices& o) { return o.pictures.trim == lb::TrimRule::All; },
     [](lb::BuildChoices& o) { o.pictures.trim = lb::TrimRule::All; }},
    {"trimOff", UserText::TrimOff, 2, 4,
     [](const lb::BuildChoices& o) { return o.pictures.trim == lb::TrimRule::Off; },
     [](lb::BuildChoices& o) { o.pictures.trim = lb::TrimRule::Off; }},
    {"spreadsSplit", UserText::SpreadsSplit, 2, 5,
     [](const lb::BuildChoices& o) { return o.pictures.spreads == lb::SpreadRule::Split; },
     [](lb::BuildChoices& o) { o.pictures.spreads = lb::SpreadRule::Split; }},
    {"spreadsRotate", UserText::SpreadsRotate, 2, 5,
     [](const lb::BuildChoices& o) { return o.pictures.spreads == lb::SpreadRule::Rotate; },
     [](lb::BuildChoices& o) { o.pictures.spreads = lb::SpreadRule::Rotate; }},
    {"spreadsKeep", UserText::SpreadsKeep, 2, 5,
     [](const lb::BuildChoices& o) { return o.pictures.spreads == lb::SpreadRule::Keep; },
     [](lb::BuildChoices& o) { o.pictures.spreads = lb::SpreadRule::Keep; }},
    {"pageWhole", UserText::PageWhole, 3, 6,
     [](const lb::BuildChoices& o) { return o.text.page == lb::PageRule::Whole; },
     [](lb::BuildChoices& o) { o.text.page = lb::PageRule::Whole; }},
    {"pageMain", UserText::PageMain, 3, 6,
     [](const lb::BuildChoices& o) { return o.text.page == lb::PageRule::Main; },
     [](lb::BuildChoices& o) { o.text.page = lb::PageRule::Main; }},
    {"leftToRight", UserText::LeftToRight, 4, 7,
     [](const lb::BuildChoices& o) { return !o.rightToLeft; },
     [](lb::BuildChoices& o) { o.rightToLeft = false; }},
    {"rightToLeft", UserText::RightToLeft, 4, 7,
     [](const lb::BuildChoices& o) { return o.rightToLeft; },
     [](lb::BuildChoices& o) { o.rightToLeft = true; }},
    {"paragraphsAuto", UserText::ParagraphsAuto, 5, 8,
     [](const lb::BuildChoices& o) { return o.text.paragraphs == lb::ParagraphRule::Auto; },
     [](lb::BuildChoices& o) { o.text.paragraphs = lb::ParagraphRule::Auto; }},
    {"paragraphsKeep", UserText::ParagraphsKeep, 5, 8,
     [](const lb::BuildChoices& o) { return o.text.paragraphs == lb::ParagraphRule::Keep; },
     [](lb::BuildChoices& o) { o.text.paragraphs = lb::ParagraphRule::Keep; }},
    {"paragraphsLines", UserText::ParagraphsLines, 5, 8,
     [](const lb::BuildChoices& o) { return o.text.paragraphs == lb::ParagraphRule::Lines; },
     [](lb::BuildChoices& o) { o.text.paragraphs = lb::ParagraphRule::Lines; }},
};

} // namespace

void MainForm::MakeOptionsMenu() {
    optionsMenu = menuBar()->addMenu(QString());
    optionsMenu->setObjectName("optionsMenu");
    for (const OptionMenu& m : kMenus) {
        optionMenus_.push_back(optionsMenu->addMenu(QString()));
        optionMenus_.back()->setObjectName(m.name);
    }
    std::vector<QActionGroup*> groups;
    for (const OptionChoice& c : kChoices) {
        QMenu* menu = optionMenus_[static_cast<size_t>(c.menu)];
        if (static_cast<size_t>(c.group) >= groups.size()) {
            if (!menu->isEmpty()) menu->addSeparator();
            groups.push_back(new QActionGroup(this));
        }
        QAction* action = menu->addAction(QString());
        action->setObjectName(c.name);
        action->setCheckable(true);
        groups[static_cast<size_t>(c.group)]->addAction(action);
        optionChoices_.push_back(action);
        connect(action, &QAction::triggered, this, [this, &c] {
            if (!c.choose) return encodingOther_Click();
            lb::BuildChoices options = BuildOptions::Load();
            c.choose(options);
            StoreBuildOptions(options);
        });
    }
    ShowBuildOptions();
}

void MainForm::ApplyOptionsCaptions() {
    optionsMenu->setTitle(Utf8(lb::Say(UserText::OptionsMenu, Language())));
    for (size_t k = 0; k < optionMenus_.size(); ++k)
        optionMenus_[k]->setTitle(Utf8(lb::Say(kMenus[k].caption, Language())));
    ShowBuildOptions();
}

// Ticks the stored choices; the "read as" choice shows the encoding it names.
void MainForm::ShowBuildOptions() {
    const lb::BuildChoices options = BuildOptions::Load();
    for (size_t k = 0; k < optionChoices_.size(); ++k) {
        const OptionChoice& c = kChoices[k];
        QString caption = Utf8(lb::Say(c.caption, Language()));
        if (!c.choose && c.chosen(options)) caption += " (" + QString::fromStdString(options.text.encoding) + ")";
        optionChoices_[k]->setText(caption);
        optionChoices_[k]->setChecked(c.chosen(options));
    }
}

void MainForm::StoreBuildOptions(const lb::BuildChoices& options) {
    BuildOptions::Save(options);
    ShowBuildOptions();
    // The estimates of pictures and pages already listed follow the new choices.
    model_.menu.pictures = options.pictures;
    model_.menu.pageText = options.text.page;
    lb::Reestimate(model_.menu);
    UpdateSizeLabel();
}

void MainForm::encodingOther_Click() {
    lb::BuildChoices options = BuildOptions::Load();
    auto answer = dialogs_.InputText(this, Utf8(lb::Say(UserText::TextEncodingMenu, Language())),
                                     Utf8(lb::Say(UserText::EncodingOtherPrompt, Language())),
                                     options.text.NamesEncoding() ? QString::fromStdString(options.text.encoding)
                                                                  : QString());
    const std::string name = answer ? answer->trimmed().toStdString() : std::string();
    if (name.empty()) {
        ShowBuildOptions(); // cancelled: the earlier choice stays ticked
        return;
    }
    if (!lb::CharsetKnown(name.c_str())) {
        dialogs_.Message(this, Utf8(lb::kNoticeTitle),
                         QString::fromStdString(lb::Say(UserText::EncodingUnknown, Language(), name)));
        ShowBuildOptions();
        return;
    }
    options.text.encoding = name;
    StoreBuildOptions(options);
}
