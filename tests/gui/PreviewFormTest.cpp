// The preview: the menu bar items of the main window and the preview window running a ROM
// the test builds, under the offscreen platform.
#include "TestHome.h"
#include "gui/BuildRunner.h"
#include "gui/PreviewForm.h"
#include "gui/PreviewRunner.h"
#include "gui/PreviewSettings.h"

#include <QAction>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QToolButton>

namespace {

// The handheld's colour of a picture's pixel: 5 bits a channel, shown as (c << 3) | (c >> 2).
QRgb Shown(QRgb c) {
    auto five = [](int v) { return (v >> 3) << 3 | (v >> 3) >> 2; };
    return qRgb(five(qRed(c)), five(qGreen(c)), five(qBlue(c)));
}

// Builds the bundled skin's ROM of one text into the folder; the window shows the ROM path.
QString BuildRom(Home& home) {
    MainForm& f = *home.form;
    const fs::path story = home.path / "Story.txt";
    WriteText(story, "Once upon a time");
    home.dialogs.nextFiles = {{QString::fromStdString(story.string())}};
    Button(f, "Command1")->click();
    const QString rom = QString::fromStdString((home.path / "out.gba").string());
    Edit(f, "Text1")->setText(rom);
    QSignalSpy done(FindControl<BuildRunner>(f, "runner"), &BuildRunner::Done);
    Button(f, "Command5")->click();
    done.wait(20000);
    return rom;
}

// Whether the shown frame has the skin picture's pixels at a few places, at the scale.
bool ShowsPicture(PreviewForm& p, const QImage& picture) {
    const QImage grabbed = p.view->grab().toImage();
    const int scale = p.preview.scale;
    for (QPoint at : {QPoint(3, 3), QPoint(120, 150), QPoint(230, 10), QPoint(60, 100)})
        if (grabbed.pixel(at * scale + QPoint(scale - 1, scale - 1)) != Shown(picture.pixel(at))) return false;
    return true;
}

} // namespace

class PreviewFormTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { UseTemporaryUserSettings(); }
    void enabledOnlyWhenTheOutputExists();
    void runsTheRomAndTakesKeys();
    void settingsRoundTripOutsideTheProgramsFile();
    void aRomThatCannotBeLoaded();
};

void PreviewFormTest::enabledOnlyWhenTheOutputExists() {
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    QCOMPARE(Action(f, "preview")->text(), QString("Preview"));
    QCOMPARE(Action(f, "preview")->shortcut(), QKeySequence("F5"));
    QCOMPARE(Action(f, "previewAfterBuild")->text(), QString("Preview after build"));
    QVERIFY(Action(f, "previewAfterBuild")->isCheckable());
    QVERIFY(!Action(f, "preview")->isEnabled()); // Lumbro.Gba does not exist yet
    BuildRom(home);
    QVERIFY(Action(f, "preview")->isEnabled());
    Edit(f, "Text1")->setText(QString::fromStdString((home.path / "elsewhere.gba").string()));
    QVERIFY(!Action(f, "preview")->isEnabled());
    f.ApplyCaptions(0);
    QCOMPARE(Action(f, "preview")->text(), QString("預覽"));
    QCOMPARE(Action(f, "previewAfterBuild")->text(), QString("建置後預覽"));
}

void PreviewFormTest::runsTheRomAndTakesKeys() {
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    Action(f, "previewAfterBuild")->setChecked(true);
    BuildRom(home); // opens the preview
    QVERIFY(f.findChild<PreviewForm*>());
    PreviewForm& p = *f.findChild<PreviewForm*>();
    QVERIFY(p.runner->Running());
    QCOMPARE(p.preview.scale, 2);
    QCOMPARE(p.view->size(), QSize(480, 320));
    const QImage title((home.path / "Skins/Default/Title.Bmp").c_str());
    const QImage menu((home.path / "Skins/Default/Menu.Bmp").c_str());
    QVERIFY(!title.isNull() && !menu.isNull());
    QTRY_VERIFY_WITH_TIMEOUT(ShowsPicture(p, title), 5000);
    QCOMPARE(p.statusBar()->currentMessage(),
             QString("Arrows: D-pad  X: A  Z: B  Return: START  Backspace: SELECT  A: L  S: R"));
    QCOMPARE(p.preview.MappingText(0), QString("方向鍵：十字鍵  X: A  Z: B  Return: START  Backspace: SELECT  A: L  S: R"));

    QTest::keyPress(&p, Qt::Key_Return); // START
    QTest::qWait(100);
    QTest::keyRelease(&p, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(ShowsPicture(p, menu), 5000);

    const QString shot = QString::fromStdString((home.path / "shot.png").string());
    const QString scaled = QString::fromStdString((home.path / "shot2.png").string());
    home.dialogs.nextFiles = {{shot}, {scaled}};
    p.screenshot->trigger();
    p.screenshotScaled->trigger();
    QCOMPARE(QImage(shot).size(), QSize(240, 160));
    QCOMPARE(QImage(scaled).size(), QSize(480, 320));
    QCOMPARE(QImage(shot).pixel(3, 3), Shown(menu.pixel(3, 3)));

    // Another window takes the keyboard: the emulator waits, and goes on when it comes back.
    p.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&p));
    QVERIFY(!p.runner->Paused());
    f.show();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QTRY_VERIFY(p.runner->Paused());
    p.activateWindow();
    QTRY_VERIFY(!p.runner->Paused());

    PreviewRunner* runner = p.runner;
    p.close();
    QVERIFY(!runner->Running()); // the thread is over and the core freed
    QTRY_VERIFY(!f.findChild<PreviewForm*>());
    QVERIFY2(home.dialogs.messages.isEmpty(), qPrintable(home.dialogs.messages.join("\n")));
}

void PreviewFormTest::settingsRoundTripOutsideTheProgramsFile() {
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    PreviewSettings s;
    s.afterBuild = true;
    s.scale = 3;
    s.keys[0] = Qt::Key_K;
    s.keys[3] = Qt::Key_Space;
    s.Save();
    PreviewSettings back = PreviewSettings::Load();
    QCOMPARE(back.afterBuild, true);
    QCOMPARE(back.scale, 3);
    QCOMPARE(back.keys, s.keys);
    QCOMPARE(back.BitFor(Qt::Key_K), 1u);
    QCOMPARE(back.BitFor(Qt::Key_X), 0u);
    Action(*home.form, "previewAfterBuild")->setChecked(false);
    QCOMPARE(PreviewSettings::Load().afterBuild, false);
    home.form->SaveSettingsAndQuit(); // the program's own file keeps exactly its lines
    QCOMPARE(ReadText(home.SettingsPath()), std::string(kEnglishSettings));
    PreviewSettings{}.Save();
}

void PreviewFormTest::aRomThatCannotBeLoaded() {
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    const fs::path junk = home.path / "junk.gba";
    WriteText(junk, "not a ROM");
    Edit(f, "Text1")->setText(QString::fromStdString(junk.string()));
    QVERIFY(Action(f, "preview")->isEnabled());
    Action(f, "preview")->trigger();
    QCOMPARE(home.dialogs.messages,
             QStringList{"注意|" + QString::fromStdString(junk.string()) +
                         ": not a Game Boy Advance ROM the emulator knows"});
    QTRY_VERIFY(!f.findChild<PreviewForm*>());
}

QTEST_MAIN(PreviewFormTest)
#include "PreviewFormTest.moc"
