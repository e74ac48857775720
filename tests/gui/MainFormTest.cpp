// The real windows under the offscreen platform, with every dialog answered by a script.
#include "TestHome.h"
#include "common/ProgramNames.h"
#include "common/UserTexts.h"
#include "gui/SetForm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

// Every caption either language sets, in one text, to compare whole sets.
QString Captions(MainForm& f) {
    QStringList all{f.windowTitle(),
                    Button(f, "Command1")->text(),
                    Button(f, "Command3")->text(),
                    Button(f, "Command4")->text(),
                    Button(f, "Command2")->text(),
                    Button(f, "Command6")->text(),
                    Button(f, "Command10")->text(),
                    Label(f, "Label1")->text(),
                    Label(f, "Label3")->text(),
                    Label(f, "Label5")->text(),
                    Label(f, "Label6")->text(),
                    FindControl<QCheckBox>(f, "Check1")->text(),
                    f.Chooser().windowTitle(),
                    PushButton(f.Chooser(), "Command3")->text(),
                    PushButton(f.Chooser(), "Command1")->text(),
                    Label(f.Chooser(), "Label3")->text(),
                    FindControl<QGroupBox>(f.Chooser(), "Frame1")->title()};
    for (int i = 0; i < Combo(f, "Combo2")->count(); ++i) all << Combo(f, "Combo2")->itemText(i);
    return all.join("|");
}

QImage Preview(QLabel* box) {
    return box->pixmap().toImage();
}

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { UseTemporaryUserSettings(); }
    void startup_data();
    void startup();
    void languageSwitch();
    void missingSkinFile_data();
    void missingSkinFile();
    void incompleteDefaultSkin();
    void chooserChanges();
    void chooserStaysOpenUntilOk();
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void settingsThatCannotBeWritten();
    void checkBoxGreysPath();
    void smallCommands();
    void fontListAndEstimate();
    void firstStartFontFollowsLocale_data();
    void firstStartFontFollowsLocale();
};

// What Captions() should read in a language: each control's row of the table of user texts.
QString ExpectedCaptions(uint8_t language) {
    using T = lb::UserText;
    QStringList all{lb::kProgramTitle};
    for (T id : {T::AddCaption, T::ClearCaption, T::ClearAllCaption, T::SkinsCaption, T::RenameCaption,
                 T::CategoryCaption, T::LanguageLabel, T::SizeLabel, T::FontLabel, T::RomLabel,
                 T::FlashAfterBuild, T::ChooserTitle, T::ChooserDefault, T::ChooserOk, T::ChooserCount,
                 T::ChooserLayout, T::CornerTopLeft, T::CornerTopRight, T::CornerBottomLeft,
                 T::CornerBottomRight})
        all << QString::fromUtf8(lb::Say(id, language));
    return all.join("|");
}

void MainFormTest::startup_data() {
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("captions");
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("font");
    QTest::addColumn<QString>("size");
    QTest::newRow("Chinese, font 0")
        << kChineseSettings << ExpectedCaptions(0) << "繁體中文Big5" << 0 << " 437KB";
    QTest::newRow("English, font 3")
        << kEnglishSettings << ExpectedCaptions(1)
        << "English" << 3 << " 167KB";
    // The test home's locale is zh_TW: Big5 12 x 12, 119392 + 0x5F014 bytes empty.
    QTest::newRow("no settings file: the locale's")
        << "" << ExpectedCaptions(0) << "繁體中文Big5" << 1 << " 497KB";
}

void MainFormTest::startup() {
    QFETCH(QString, settings);
    QFETCH(QString, captions);
    QFETCH(QString, language);
    QFETCH(int, font);
    QFETCH(QString, size);
    Home home(settings.toStdString());
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    QCOMPARE(Captions(f), captions);
    QCOMPARE(Combo(f, "Combo1")->currentText(), language);
    QCOMPARE(Combo(f, "Combo2")->currentIndex(), 0);
    QCOMPARE(Combo(f, "Combo3")->currentIndex(), font);
    QCOMPARE(int(f.Model().settings.FontIndex), font);
    QCOMPARE(Label(f, "Label4")->text(), size);
    QCOMPARE(Button(f, "Command5")->text(), QString("開始轉換"));
    QVERIFY(!Button(f, "Command5")->isEnabled());
    QVERIFY(!Action(f, "save")->isEnabled());
    QCOMPARE(Edit(f, "Text1")->text(), QString::fromStdString((home.path / "Lumbro.Gba").string()));
    QCOMPARE(Combo(f.Chooser(), "Combo1")->currentText(), QString("Default"));
    QCOMPARE(Combo(f.Chooser(), "Combo2")->currentText(), QString("Default.Bmp"));
    QCOMPARE(Edit(f.Chooser(), "Text1")->text() + "," + Edit(f.Chooser(), "Text2")->text() + "," +
                 Edit(f.Chooser(), "Text3")->text(),
             QString("24,36,8"));
    QCOMPARE(Combo(f.Chooser(), "Combo1")->count(), 2); // Default and Night
    QVERIFY(!Preview(Label(f.Chooser(), "Picture2")).isNull());
    QVERIFY(home.dialogs.messages.isEmpty());
    QCOMPARE(home.quits, 0);
}

void MainFormTest::languageSwitch() {
    Home home(kChineseSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    const QString chinese = Captions(f);
    Combo(f, "Combo2")->setCurrentIndex(2);
    Pick(Combo(f, "Combo1"), "English");
    QCOMPARE(int(f.Model().settings.LanguageFlag), 1);
    QCOMPARE(Button(f, "Command1")->text(), QString("Add"));
    QCOMPARE(f.Chooser().windowTitle(), QString("Skin"));
    QCOMPARE(Combo(f, "Combo2")->currentText(), QString("Left side up"));
    QCOMPARE(Button(f, "Command5")->text(), QString("開始轉換"));
    QCOMPARE(Label(f.Chooser(), "Label1")->text() + Label(f.Chooser(), "Label2")->text(),
             QString("XY"));
    Combo(f, "Combo2")->setCurrentIndex(3);
    Pick(Combo(f, "Combo1"), "English"); // the same language again still resets the corner
    QCOMPARE(Combo(f, "Combo2")->currentIndex(), 0);
    Pick(Combo(f, "Combo1"), "繁體中文Big5");
    QCOMPARE(int(f.Model().settings.LanguageFlag), 0);
    QCOMPARE(Captions(f), chinese);
    QCOMPARE(Combo(f, "Combo2")->currentText(), QString("左上角"));
    // Typing into the list switches nothing.
    Combo(f, "Combo1")->setEditText("English");
    QCOMPARE(int(f.Model().settings.LanguageFlag), 0);
}

void MainFormTest::missingSkinFile_data() {
    QTest::addColumn<QString>("file");    // below the program folder
    QTest::addColumn<QString>("content"); // empty: removed
    QTest::addColumn<QString>("back");    // stored back picture
    QTest::addColumn<QString>("message");
    QTest::newRow("title") << "Skins/Night/Title.Bmp" << "" << "Slate.Bmp" << "找不到Title.Bmp";
    QTest::newRow("menu") << "Skins/Night/Menu.Bmp" << "" << "Slate.Bmp" << "找不到Menu.Bmp";
    QTest::newRow("back") << "" << "" << "Gone.Bmp" << "找不到Back.Bmp";
    QTest::newRow("layout") << "Skins/Night/Skin.ini" << "" << "Slate.Bmp" << "找不到Skin.ini";
    QTest::newRow("title not a picture")
        << "Skins/Night/Title.Bmp" << "BM nonsense" << "Slate.Bmp" << "找不到Title.Bmp";
    QTest::newRow("two numbers") << "Skins/Night/Skin.ini" << "8,16" << "Slate.Bmp" << "找不到Skin.ini";
}

void MainFormTest::missingSkinFile() {
    QFETCH(QString, file);
    QFETCH(QString, content);
    QFETCH(QString, back);
    QFETCH(QString, message);
    Home home("Language= 1\r\nSkins=Night\r\nBack=" + back.toStdString() +
              "\r\nBin= 2\r\nFlash=1\r\n/opt/flash, v2\r\n");
    if (!file.isEmpty()) {
        fs::path target = home.path / file.toStdString();
        if (content.isEmpty())
            fs::remove(target);
        else
            WriteText(target, content.toStdString());
    }
    QVERIFY(!home.Load());
    QCOMPARE(home.dialogs.messages, QStringList{"注意|" + message});
    QCOMPARE(home.quits, 1);
    QCOMPARE(QString::fromStdString(ReadText(home.SettingsPath())),
             QString("Language= 1\r\nSkins=Default\r\nBack=Default.Bmp\r\nBin= 2\r\nFlash=1\r\n"
                     "/opt/flash, v2\r\n"));
    // The next start succeeds with the default skin.
    home.dialogs.messages.clear();
    QVERIFY(home.Load());
    QVERIFY(home.dialogs.messages.isEmpty());
}

void MainFormTest::incompleteDefaultSkin() {
    const std::string stored =
        "Language= 1\r\nSkins=Night\r\nBack=Slate.Bmp\r\nBin= 0\r\nFlash=0\r\n\r\n";
    Home home(stored);
    fs::remove(home.path / "Skins/Night/Menu.Bmp");
    fs::remove(home.path / "Skins/Default/Title.Bmp");
    WriteText(home.path / "Back/Default.Bmp", "broken");
    QVERIFY(!home.Load());
    const QString skins = QString::fromStdString((home.path / "Skins/Default").string());
    const QString backs = QString::fromStdString((home.path / "Back").string());
    QCOMPARE(
        home.dialogs.messages,
        QStringList{"注意|The default skin is incomplete. These files are missing or cannot be "
                    "read:\r\n" +
                    skins + "/Title.Bmp\r\n" + backs + "/Default.Bmp"});
    QCOMPARE(home.quits, 1);
    QCOMPARE(ReadText(home.SettingsPath()), stored); // not rewritten
}

void MainFormTest::chooserChanges() {
    Home home(kEnglishSettings);
    fs::create_directory(home.path / "Skins/Empty");
    fs::copy(home.path / "Skins/Night", home.path / "Skins/NoIni", fs::copy_options::recursive);
    fs::remove(home.path / "Skins/NoIni/Skin.ini");
    QVERIFY(home.Load());
    SetForm& s = home.form->Chooser();
    lb::SkinSelection& skins = home.form->Model().skins;
    const std::string defaultTitle = skins.TitlePath, defaultMenu = skins.MenuPath;
    const QImage defaultPreview = Preview(Label(s, "Picture2"));
    auto boxes = [&] {
        return Edit(s, "Text1")->text() + "," + Edit(s, "Text2")->text() + "," +
               Edit(s, "Text3")->text();
    };

    // Only Skin.ini missing: one message; the picture paths move, nothing else does.
    Pick(Combo(s, "Combo1"), "NoIni");
    QCOMPARE(home.dialogs.messages, QStringList{"注意|找不到Skin.ini"});
    QCOMPARE(QString::fromStdString(skins.SkinName), QString("Default"));
    QCOMPARE(skins.TitlePath, (home.path / "Skins/NoIni/Title.Bmp").string());
    QCOMPARE(skins.MenuPath, (home.path / "Skins/NoIni/Menu.Bmp").string());
    QCOMPARE(boxes(), QString("24,36,8"));
    QCOMPARE(Preview(Label(s, "Picture2")), defaultPreview);

    // All three missing: three messages in order, and nothing changes.
    home.dialogs.messages.clear();
    Pick(Combo(s, "Combo1"), "Default");
    home.dialogs.messages.clear();
    Pick(Combo(s, "Combo1"), "Empty");
    QCOMPARE(home.dialogs.messages,
             (QStringList{"注意|找不到Title.Bmp", "注意|找不到Menu.Bmp", "注意|找不到Skin.ini"}));
    QCOMPARE(skins.TitlePath, defaultTitle);
    QCOMPARE(skins.MenuPath, defaultMenu);
    QCOMPARE(Combo(s, "Combo1")->currentText(), QString("Empty"));

    // A complete skin and a back picture change everything.
    home.dialogs.messages.clear();
    Pick(Combo(s, "Combo1"), "Night");
    Pick(Combo(s, "Combo2"), "Slate.Bmp");
    QVERIFY(home.dialogs.messages.isEmpty());
    QCOMPARE(boxes(), QString("10,20,3"));
    QCOMPARE(QString::fromStdString(skins.SkinName + "/" + skins.BackName),
             QString("Night/Slate.Bmp"));
    QVERIFY(Preview(Label(s, "Picture2")) != defaultPreview);

    // Default with no "default" entry in either list: the lists keep their texts, the rest
    // goes back to the default skin.
    s.FillLists({"Night"}, {"Slate.Bmp"});
    Combo(s, "Combo1")->setCurrentIndex(0);
    Combo(s, "Combo2")->setCurrentIndex(0);
    PushButton(s, "Command3")->click();
    QVERIFY(home.dialogs.messages.isEmpty());
    QCOMPARE(Combo(s, "Combo1")->currentText() + "/" + Combo(s, "Combo2")->currentText(),
             QString("Night/Slate.Bmp"));
    QCOMPARE(QString::fromStdString(skins.SkinName + "/" + skins.BackName),
             QString("Default/Default.Bmp"));
    QCOMPARE(skins.TitlePath, defaultTitle);
    QCOMPARE(skins.BackPath, (home.path / "Back/Default.Bmp").string());
    QCOMPARE(boxes(), QString("24,36,8"));
    QCOMPARE(Preview(Label(s, "Picture2")), defaultPreview);
}

void MainFormTest::chooserStaysOpenUntilOk() {
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    f.show();
    Button(f, "Command2")->click();
    QVERIFY(f.Chooser().isVisible());
    QVERIFY(!f.isEnabled());
    QVERIFY(!f.Chooser().close()); // no close box, no Alt+F4
    QVERIFY(!f.close());          // the disabled main window cannot be closed either
    Action(f, "exit")->trigger();
    QCOMPARE(home.quits, 0);
    QVERIFY(!fs::exists(home.SettingsPath()) || ReadText(home.SettingsPath()) == kEnglishSettings);
    PushButton(f.Chooser(), "Command1")->click();
    QVERIFY(!f.Chooser().isVisible());
    QVERIFY(f.isEnabled());
    QVERIFY(f.close());
    QCOMPARE(home.quits, 1);
}

void MainFormTest::settingsRoundTrip_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("six lines come back as they were")
        << "Language= 1\r\nSkins=Night\r\nBack=Slate.Bmp\r\nBin= 2\r\nFlash= 1\r\n"
           "/opt/my tools/flash, v2.sh\r\n"
        << "Language= 1\r\nSkins=Night\r\nBack=Slate.Bmp\r\nBin= 2\r\nFlash=1\r\n"
           "/opt/my tools/flash, v2.sh\r\n";
    QTest::newRow("three lines grow to six, the number gains its blank")
        << "Language=1\r\nSkins=Default\r\nBack=Default.Bmp\r\n"
        << "Language= 1\r\nSkins=Default\r\nBack=Default.Bmp\r\nBin= 0\r\nFlash=0\r\n\r\n";
    QTest::newRow("lower-case skin name is kept")
        << "Language= 0\r\nSkins=default\r\nBack=default.bmp\r\nBin= 3\r\nFlash=2\r\n\r\n"
        << "Language= 0\r\nSkins=default\r\nBack=default.bmp\r\nBin= 3\r\nFlash=0\r\n\r\n";
    QTest::newRow("the Unicode font is kept")
        << "Language= 1\r\nSkins=Default\r\nBack=Default.Bmp\r\nBin= 4\r\nFlash=0\r\n\r\n"
        << "Language= 1\r\nSkins=Default\r\nBack=Default.Bmp\r\nBin= 4\r\nFlash=0\r\n\r\n";
    QTest::newRow("a font outside 0..4: the defaults")
        << "Language= 1\r\nSkins=Night\r\nBack=Slate.Bmp\r\nBin= 7\r\nFlash=0\r\n\r\n"
        << "Language= 0\r\nSkins=Default\r\nBack=Default.Bmp\r\nBin= 0\r\nFlash=0\r\n\r\n";
}

void MainFormTest::settingsRoundTrip() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    Home home(before.toStdString());
    QVERIFY(home.Load());
    Action(*home.form, "exit")->trigger();
    QCOMPARE(home.quits, 1);
    QCOMPARE(QString::fromStdString(ReadText(home.SettingsPath())), after);
    QVERIFY(home.dialogs.messages.isEmpty());
}

void MainFormTest::settingsThatCannotBeWritten() {
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    fs::remove(home.SettingsPath());
    fs::create_directory(home.SettingsPath()); // a folder in the file's place
    Action(*home.form, "exit")->trigger();
    QCOMPARE(home.quits, 1);
    QCOMPARE(home.dialogs.messages.size(), 1);
    QVERIFY2(home.dialogs.messages[0].startsWith("注意|The settings could not be saved: "),
             qPrintable(home.dialogs.messages[0]));
}

void MainFormTest::checkBoxGreysPath() {
    Home home("Language= 1\r\nSkins=Default\r\nBack=Default.Bmp\r\nBin= 0\r\nFlash= "
              "1\r\n/bin/flash me\r\n");
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    QVERIFY(FindControl<QCheckBox>(f, "Check1")->isChecked());
    QVERIFY(Edit(f, "Text2")->isEnabled());
    FindControl<QCheckBox>(f, "Check1")->click();
    QVERIFY(!Edit(f, "Text2")->isEnabled());
    QCOMPARE(Edit(f, "Text2")->text(), QString("/bin/flash me"));
    QVERIFY(Button(f, "Command13")->isEnabled());
    Action(f, "exit")->trigger();
    QCOMPARE(QString::fromStdString(ReadText(home.SettingsPath())),
             QString("Language= 1\r\nSkins=Default\r\nBack=Default.Bmp\r\nBin= "
                     "0\r\nFlash=0\r\n/bin/flash me\r\n"));
}

void MainFormTest::smallCommands() {
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    Action(f, "about")->trigger();
    Pick(Combo(f, "Combo1"), "繁體中文Big5");
    Action(f, "about")->trigger();
    QCOMPARE(home.dialogs.messages,
             (QStringList{
                 "about|Lumenbrook v2.0\r\n\r\nThe Lumenbrook project\r\nlumenbrook@example.org\r\n"
                 "https://lumenbrook.example.org/\r\nhttps://lumenbrook.example.org/skins/",
                 "關於|Lumenbrook 圖片轉換工具 v2.0\r\n\r\nThe Lumenbrook project\r\n"
                 "lumenbrook@example.org\r\nhttps://lumenbrook.example.org/\r\n"
                 "https://lumenbrook.example.org/skins/"}));
    Action(f, "help1")->trigger();
    QCOMPARE(home.dialogs.opened, QList<QUrl>{QUrl::fromLocalFile(
                                      QString::fromStdString((home.path / "help.html").string()))});
    // The font list: typing changes nothing, picking sets the font and the empty menu's size:
    // 119392 + 0x37014 bytes.
    Combo(f, "Combo3")->setEditText("GB2312");
    QCOMPARE(int(f.Model().settings.FontIndex), 3);
    Pick(Combo(f, "Combo3"), "GB2312");
    QCOMPARE(int(f.Model().settings.FontIndex), 2);
    QCOMPARE(Label(f, "Label4")->text(), QString(" 337KB"));
}

// Five fonts in both languages; picking the Unicode font estimates the menu anew, its texts
// at two bytes a character.
void MainFormTest::fontListAndEstimate() {
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    const QStringList fonts{"Big5 10x10", "Big5 12x12", "GB2312", "English", "Unicode 12x12"};
    for (const char* language : {"English", "繁體中文Big5"}) {
        Pick(Combo(f, "Combo1"), QString::fromUtf8(language));
        QStringList shown;
        for (int k = 0; k < Combo(f, "Combo3")->count(); ++k) shown << Combo(f, "Combo3")->itemText(k);
        QCOMPARE(shown, fonts);
    }
    home.dialogs.nextFiles = {{QString::fromStdString(home.dir.Write("a.txt", "abcde")),
                               QString::fromStdString(home.dir.Write("c.htm", "<p>x</p>"))}};
    Button(f, "Command1")->click();
    // 170612 empty, a.txt 21 + 32, the page's "x" 17 + 32.
    QCOMPARE(f.Model().menu.TotalSize, int64_t{170612 + 53 + 49});
    Pick(Combo(f, "Combo3"), "Unicode 12x12");
    QCOMPARE(int(f.Model().settings.FontIndex), 4);
    // 119392 + 0x88014 empty; "abcde" in 10 bytes, 24 with its header and fill; "x" in 2, 16.
    QCOMPARE(f.Model().menu.TotalSize, int64_t{676468 + 24 + 32 + 16 + 32});
    QCOMPARE(Label(f, "Label4")->text(), QString(" 661KB"));
    Pick(Combo(f, "Combo3"), "English");
    QCOMPARE(f.Model().menu.TotalSize, int64_t{170612 + 53 + 49});
    Pick(Combo(f, "Combo3"), "Unicode 12x12");
    home.dialogs.nextSaveAnswers = {SaveAnswer::Discard};
    Action(f, "exit")->trigger();
    QCOMPARE(home.quits, 1);
    QVERIFY(QString::fromStdString(ReadText(home.SettingsPath())).contains("\r\nBin= 4\r\n"));
}

void MainFormTest::firstStartFontFollowsLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("font");
    QTest::newRow("Russian: the Unicode font") << "ru_RU.UTF-8" << "English" << 4;
    QTest::newRow("Japanese: the Unicode font") << "ja_JP.UTF-8" << "English" << 4;
    QTest::newRow("mainland China: GB2312") << "zh_CN.UTF-8" << "繁體中文Big5" << 2;
    QTest::newRow("Hong Kong: Big5 12x12") << "zh_HK.UTF-8" << "繁體中文Big5" << 1;
}

void MainFormTest::firstStartFontFollowsLocale() {
    QFETCH(QString, locale);
    QFETCH(QString, language);
    QFETCH(int, font);
    Home home("");
    home.user.locale = locale.toStdString();
    QVERIFY(home.Load());
    QCOMPARE(Combo(*home.form, "Combo1")->currentText(), language);
    QCOMPARE(Combo(*home.form, "Combo3")->currentIndex(), font);
    QCOMPARE(int(home.form->Model().settings.FontIndex), font);
}

QTEST_MAIN(MainFormTest)
#include "MainFormTest.moc"
