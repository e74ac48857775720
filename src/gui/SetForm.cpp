#include "gui/SetForm.h"

#include "app/Captions.h"
#include "gui/BitmapImage.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace {

QLabel* PictureBox(QWidget* parent, const char* name, QRect where) {
    auto box = MakeControl<QLabel>(parent, name, where);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return box;
}

} // namespace

SetForm::SetForm(lb::SkinSelection& skins, Dialogs& dialogs)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), skins_(skins),
      dialogs_(dialogs) {
    setObjectName("SetForm");
    setFixedSize(TwipsToPixels(7575), TwipsToPixels(5325));

    Picture2 = PictureBox(this, "Picture2", Twips(75, 120, 3660, 2460));
    Picture3 = PictureBox(this, "Picture3", Twips(75, 2640, 3660, 2610));
    Picture4 = PictureBox(this, "Picture4", Twips(3840, 120, 3660, 2475));
    Combo1 = EditableList(this, "Combo1", Twips(3960, 2760, 1695, 300));
    Combo2 = EditableList(this, "Combo2", Twips(5760, 2760, 1695, 300));
    Frame1 = MakeControl<QGroupBox>(this, "Frame1", Twips(3960, 4200, 2295, 975));
    Text1 = MakeControl<QLineEdit>(Frame1, "Text1", Twips(480, 240, 495, 270));
    Text2 = MakeControl<QLineEdit>(Frame1, "Text2", Twips(480, 600, 495, 270));
    Text3 = MakeControl<QLineEdit>(Frame1, "Text3", Twips(1680, 240, 495, 270));
    Label1 = SizedLabel(Frame1, "Label1", 240, 280, "X");
    Label2 = SizedLabel(Frame1, "Label2", 240, 640, "Y");
    Label3 = SizedLabel(Frame1, "Label3", 1150, 280, "");
    Command3 = MakeControl<QPushButton>(this, "Command3", Twips(6360, 4320, 1095, 375));
    Command1 = MakeControl<QPushButton>(this, "Command1", Twips(6360, 4800, 1095, 375));

    connect(Combo1, &QComboBox::activated, this, &SetForm::Combo1_Click);
    connect(Combo2, &QComboBox::activated, this, &SetForm::Combo2_Click);
    connect(Command3, &QPushButton::clicked, this, &SetForm::Command3_Click);
    connect(Command1, &QPushButton::clicked, this, &SetForm::Left);
}

void SetForm::ApplyCaptions(uint8_t LanguageFlag) {
    const lb::CaptionSet& c = lb::CaptionsFor(LanguageFlag);
    setWindowTitle(QString::fromUtf8(c.chooserTitle));
    Command3->setText(QString::fromUtf8(c.chooserCommand3));
    Command1->setText(QString::fromUtf8(c.chooserCommand1));
    Label3->setText(QString::fromUtf8(c.chooserLabel3));
    Label3->adjustSize();
    // "Count" is wider than the place drawn for it; it must not run under its box.
    Label3->move(std::min(TwipsToPixels(1150), Text3->x() - 4 - Label3->width()), Label3->y());
    Frame1->setTitle(QString::fromUtf8(c.chooserFrame1));
}

void SetForm::FillLists(const std::vector<std::string>& skinNames,
                        const std::vector<std::string>& backNames) {
    const std::pair<QComboBox*, const std::vector<std::string>*> lists[] = {{Combo1, &skinNames},
                                                                            {Combo2, &backNames}};
    for (auto [list, names] : lists) {
        list->clear();
        for (const auto& name : *names) list->addItem(QString::fromStdString(name));
    }
    Combo1->setCurrentIndex(lb::FindNoCase(skinNames, skins_.SkinName));
    Combo2->setCurrentIndex(lb::FindNoCase(backNames, skins_.BackName));
}

void SetForm::ShowLoaded(const lb::SkinSelection::Loaded& loaded) {
    const std::pair<QLabel*, const std::optional<lb::Bitmap>*> previews[] = {
        {Picture2, &loaded.title}, {Picture3, &loaded.menu}, {Picture4, &loaded.back}};
    for (auto [box, picture] : previews)
        if (*picture)
            box->setPixmap(QPixmap::fromImage(BitmapImage(**picture, box->contentsRect().size())));
    if (loaded.layout) {
        Text1->setText(QString::number(loaded.layout->x));
        Text2->setText(QString::number(loaded.layout->y));
        Text3->setText(QString::number(loaded.layout->count));
    }
}

lb::MenuLayout SetForm::Layout() const {
    return lb::ParseMenuLayout(Text1->text().toStdString(), Text2->text().toStdString(),
                               Text3->text().toStdString());
}

void SetForm::ShowMissing(const std::vector<lb::SkinFile>& missing) {
    for (lb::SkinFile file : missing)
        dialogs_.Message(this, QString::fromUtf8(lb::kNoticeTitle),
                         QString::fromUtf8(lb::MissingMessage(file)));
}

void SetForm::Combo1_Click() {
    auto loaded = skins_.PickSkin(Combo1->currentText().toStdString());
    ShowMissing(loaded.missing);
    ShowLoaded(loaded);
}

void SetForm::Combo2_Click() {
    auto loaded = skins_.PickBack(Combo2->currentText().toStdString());
    ShowMissing(loaded.missing);
    ShowLoaded(loaded);
}

void SetForm::Command3_Click() {
    for (auto [list, name] :
         {std::pair{Combo1, lb::kDefaultSkinName}, std::pair{Combo2, lb::kDefaultBackName}}) {
        std::vector<std::string> entries;
        for (int i = 0; i < list->count(); ++i) entries.push_back(list->itemText(i).toStdString());
        int at = lb::FindNoCase(entries, name);
        if (at >= 0) list->setCurrentIndex(at);
    }
    auto loaded = skins_.PickDefault();
    ShowMissing(loaded.missing);
    ShowLoaded(loaded);
}

void SetForm::closeEvent(QCloseEvent* event) {
    if (closing_)
        event->accept();
    else
        event->ignore();
}

void SetForm::keyPressEvent(QKeyEvent* event) {
    // Escape would hide a dialog; only OK leaves this one.
    if (event->key() == Qt::Key_Escape) return;
    QWidget::keyPressEvent(event);
}

void SetForm::showEvent(QShowEvent* event) {
    if (!placed_) CentreOnScreen(this);
    placed_ = true;
    QWidget::showEvent(event);
}
