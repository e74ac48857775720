// Menu editing and building through the real window; every dialog is answered by a script.
#include "TestHome.h"
#include "app/DialogTexts.h"
#include "format/BaseInfo.h"
#include "gui/BuildOptions.h"
#include "gui/BuildRunner.h"
#include "gui/MenuListModel.h"
#include "gui/SetForm.h"
#include "menu/ListCommands.h"

#include <QAction>
#include <QCheckBox>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QSignalSpy>
#include <QToolButton>
#include <map>

namespace {

// A 3 x 2 picture at 24 bits: rows of 9 bytes padded to 12.
std::string SmallBitmap() {
    std::string f(54 + 24, '\0');
    auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) f[at + i] = static_cast<char>((v >> (8 * i)) & 255);
    };
    f[0] = 'B';
    f[1] = 'M';
    put(2, f.size(), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, 3, 4);
    put(22, 2, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    return f;
}

QString Names(MainForm& f) {
    QStringList names;
    for (auto& e : f.Model().menu.entries) names << QString::fromStdString(e.name);
    return names.join(",");
}

void SelectRows(MainForm& f, std::initializer_list<int> rows) {
    QListView* list = FindControl<QListView>(f, "List2");
    list->selectionModel()->clearSelection();
    for (int row : rows)
        list->selectionModel()->select(list->model()->index(row, 0), QItemSelectionModel::Select);
}

// Presses Start and waits for the build to end.
void Build(MainForm& f) {
    QSignalSpy done(FindControl<BuildRunner>(f, "runner"), &BuildRunner::Done);
    Button(f, "Command5")->click();
    QVERIFY(!Button(f, "Command1")->isEnabled());
    QVERIFY(!Action(f, "open")->isEnabled());
    QVERIFY(done.wait(20000));
}

// The test's own files, named as the window's dialogs give them.
struct Files : lbtest::TempFolder {
    const fs::path& path = Path();
    QString Write(const std::string& name, const std::string& content) const {
        return QString::fromStdString(TempFolder::Write(name, content));
    }
};

} // namespace

class MenuCommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { UseTemporaryUserSettings(); }
    void addRenameSaveAndOpen();
    void clearMoveAndCategory();
    void buildWithStart();
    void failingBuildKeepsTheEarlierRom();
    void imagePast32MiBIsAskedAbout();
    void flashingProgramAfterBuild();
    void droppedFilesAreAdded();
    void textOptionsAreKeptAndUsed();
    void pictureOptionsChangeTheEstimate();
    void trimAndSpreadOptionsAreKept();
    void endingAsksAboutAChangedMenu_data();
    void endingAsksAboutAChangedMenu();
};

void MenuCommandsTest::addRenameSaveAndOpen() {
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    Files files;
    QString a = files.Write("a.txt", "abcde"), b = files.Write("Pics, old/b.bmp", SmallBitmap()),
            c = files.Write("c.HTM", "<p>x</p>");
    home.dialogs.nextFiles = {{c, a, b}};
    Button(f, "Command1")->click();
    const FileQuestion& asked = home.dialogs.asked.back();
    QCOMPARE(asked.title, QString("Add Bitmap"));
    const QStringList types = NameFilters(asked.filters);
    QCOMPARE(types.size(), 6);
    QCOMPARE(types[1], QString("Pictures (*.[Bb][Mm][Pp] *.[Jj][Pp][Gg] *.[Jj][Pp][Ee][Gg] *.[Pp][Nn][Gg] "
                               "*.[Gg][Ii][Ff] *.[Ww][Ee][Bb][Pp] *.[Tt][Ii][Ff] *.[Tt][Ii][Ff][Ff] "
                               "*.[Hh][Ee][Ii][Cc] *.[Hh][Ee][Ii][Ff] *.[Aa][Vv][Ii][Ff] *.[Jj][Xx][Ll])"));
    QCOMPARE(types[4], QString("Html or TXT (*.[Tt][Xx][Tt] *.[Ll][Kk][Bb] *.[Hh][Tt][Mm] *.[Hh][Tt][Mm][Ll])"));
    QVERIFY(types[0].startsWith("All Files (*.[Bb][Mm][Pp] *.[Jj][Pp][Gg] "));
    QVERIFY(types[0].endsWith(" *.[Pp][Dd][Ff] *.[Ee][Pp][Uu][Bb] *.[Ff][Bb]2 *.[Dd][Oo][Cc][Xx] *.[Oo][Dd][Tt] "
                              "*.[Mm][Dd] *.[Mm][Aa][Rr][Kk][Dd][Oo][Ww][Nn] *.[Tt][Xx][Tt] *.[Ll][Kk][Bb] "
                              "*.[Hh][Tt][Mm] *.[Hh][Tt][Mm][Ll] *.[Ll][Kk][Mm])"));
    QVERIFY(types[0].contains(" *.[Ff][Bb]2.[Zz][Ii][Pp] "));
    QVERIFY(asked.several);
    QCOMPARE(Names(f), QString("c,a,b"));
    // 170612 for the English font, then 49 + 53 + 76 for the three files: the page by its
    // text "x" (12 + 1 + 1 + 3 and a name slot of 32), not by its 8 bytes of markup.
    QCOMPARE(f.Model().menu.TotalSize, int64_t{170612 + 49 + 53 + 76});
    QCOMPARE(Label(f, "Label4")->text(), QString(" 167KB"));
    QVERIFY(Button(f, "Command5")->isEnabled());
    QVERIFY(Action(f, "save")->isEnabled());

    SelectRows(f, {0, 2});
    home.dialogs.nextAnswers = {QString("First"), QString()};
    Button(f, "Command6")->click();
    QCOMPARE(home.dialogs.inputs, (QStringList{"Rename|c|c", "Rename|b|b"}));
    QCOMPARE(Names(f), QString("First,a,b"));

    const QString list = QString::fromStdString((files.path / "menu.lkm").string());
    home.dialogs.nextFiles = {{list}};
    Action(f, "save")->trigger();
    QCOMPARE(QString::fromStdString(ReadText(list.toStdString())),
             c + "\r\n" + a + "\r\n" + b + "\r\n");

    Button(f, "Command4")->click();
    QVERIFY(!Button(f, "Command5")->isEnabled());
    QVERIFY(!Action(f, "save")->isEnabled());
    home.dialogs.nextFiles = {{list}};
    Action(f, "open")->trigger();
    QCOMPARE(Names(f), QString("c,a,b")); // names come from the paths again
    QCOMPARE(f.Model().menu.entries[2].path, b.toStdString());
    QVERIFY(Button(f, "Command5")->isEnabled());
    QVERIFY(!Action(f, "save")->isEnabled()); // Open Menu leaves it as it was

    // A list that cannot be read says so and replaces nothing.
    home.dialogs.nextFiles = {{list + ".gone"}};
    Action(f, "open")->trigger();
    QCOMPARE(Names(f), QString("c,a,b"));
    QCOMPARE(home.dialogs.messages.size(), 1);
    QVERIFY(home.dialogs.messages[0].startsWith("注意|" + list + ".gone"));
    QCOMPARE(home.dialogs.unanswered, 0);
}

void MenuCommandsTest::clearMoveAndCategory() {
    Home home(kChineseSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    Files files;
    QStringList paths;
    for (const char* name : {"A.txt", "B.txt", "C.txt", "D.txt", "E.txt"})
        paths << files.Write(name, "1234");
    home.dialogs.nextFiles = {paths};
    Button(f, "Command1")->click();
    const int64_t full = f.Model().menu.TotalSize;
    SelectRows(f, {2, 4});
    Button(f, "Command11")->click();
    QCOMPARE(Names(f), QString("C,E,A,B,D"));
    QVERIFY(FindControl<QListView>(f, "List2")->selectionModel()->selectedIndexes().isEmpty());
    SelectRows(f, {1, 2});
    Button(f, "Command7")->click();
    QCOMPARE(Names(f), QString("E,A,C,B,D"));
    QCOMPARE(FindControl<QListView>(f, "List2")->selectionModel()->selectedIndexes().size(), 2);
    SelectRows(f, {0, 4});
    Button(f, "Command3")->click();
    QCOMPARE(Names(f), QString("A,C,B"));
    QCOMPARE(f.Model().menu.TotalSize, full - 2 * (4 + 12 + 32));
    QCOMPARE(Label(f, "Label4")->text(), QString::fromStdString(f.Model().menu.SizeLabel()));

    const QString chosen = QString::fromStdString((files.path / "Animals.txt").string());
    home.dialogs.nextFiles = {{chosen}};
    Button(f, "Command10")->click();
    QCOMPARE(home.dialogs.asked.back().title, QString("建立檔案"));
    QVERIFY(home.dialogs.asked.back().confirmOverwrite);
    QCOMPARE(ReadText(files.path / "@Animals.txt"), lb::CategoryFileText());
    QCOMPARE(Names(f), QString("A,C,B,@Animals"));

    SelectRows(f, {0, 1, 2, 3});
    Button(f, "Command3")->click();
    QCOMPARE(f.Model().menu.TotalSize, int64_t{119392 + 327700});
    QVERIFY(!Button(f, "Command5")->isEnabled());
    QVERIFY(!Action(f, "save")->isEnabled());
}

void MenuCommandsTest::buildWithStart() {
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    Files files;
    home.dialogs.nextFiles = {{files.Write("@Pictures.txt", "x"),
                               files.Write("b.bmp", SmallBitmap()),
                               files.Write("Story.txt", "Once upon a time")}};
    Button(f, "Command1")->click();
    const QString rom = QString::fromStdString((files.path / "out.gba").string());
    Edit(f, "Text1")->setText(rom);
    Build(f);
    QVERIFY2(home.dialogs.messages.isEmpty(), qPrintable(home.dialogs.messages.join("\n")));
    QCOMPARE(Label(f, "Label2")->text(),
             QString("Write Program...\r\nWrite Skin...\r\nConversion done!"));
    QVERIFY(Button(f, "Command1")->isEnabled());
    QVERIFY(Button(f, "Command5")->isEnabled());
    QVERIFY(Action(f, "open")->isEnabled());
    QProcess inspect;
    inspect.start(LUMENBROOK_CLI,
                  {"inspect", "--home", QString::fromStdString(home.path.string()), rom});
    QVERIFY(inspect.waitForFinished(10000));
    QCOMPARE(inspect.exitCode(), 0);
    const QString report = QString::fromUtf8(inspect.readAllStandardOutput());
    QVERIFY2(report.contains("ends exactly after the last record"), qPrintable(report));
    QVERIFY2(report.contains("record 3 at"), qPrintable(report));
}

void MenuCommandsTest::failingBuildKeepsTheEarlierRom() {
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    Files files;
    const QString picture = files.Write("gone.bmp", SmallBitmap());
    home.dialogs.nextFiles = {{picture}};
    Button(f, "Command1")->click();
    const QString rom = files.Write("out.gba", "earlier");
    Edit(f, "Text1")->setText(rom);
    fs::remove(picture.toStdString());
    Build(f);
    QCOMPARE(home.dialogs.messages.size(), 1);
    QVERIFY2(
        home.dialogs.messages[0].startsWith("注意|The build failed: entry 1 (" + picture + ")"),
        qPrintable(home.dialogs.messages[0]));
    QCOMPARE(ReadText(rom.toStdString()), std::string("earlier"));
    QVERIFY(Button(f, "Command1")->isEnabled());
    QVERIFY(Button(f, "Command5")->isEnabled());

    // The output may not be a file the build reads: here the list's own entry.
    const QString story = files.Write("story.txt", "Once");
    f.AddPaths({story});
    Edit(f, "Text1")->setText(story);
    home.dialogs.messages.clear();
    Build(f);
    QCOMPARE(home.dialogs.messages, QStringList{"注意|The build failed: the output " + story +
                                                " is the same file as " + story +
                                                ", which the build reads; nothing was written"});
    QCOMPARE(ReadText(story.toStdString()), std::string("Once"));
}

void MenuCommandsTest::imagePast32MiBIsAskedAbout() {
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    Files files;
    home.dialogs.nextFiles = {{files.Write("Huge.txt", std::string(33400000, 'z'))}};
    Button(f, "Command1")->click();
    const QString rom = files.Write("out.gba", "earlier");
    Edit(f, "Text1")->setText(rom);
    const QString question =
        "注意|The image will be about " + QString::number(f.Model().menu.TotalSize) +
        " bytes, more than the 33554432 bytes (32 MiB) of a cartridge; the handheld "
        "cannot read what lies past that. Build it anyway?";
    home.dialogs.nextYes = {false};
    Button(f, "Command5")->click(); // declined: nothing is built
    QCOMPARE(home.dialogs.questions, QStringList{question});
    QCOMPARE(Label(f, "Label2")->text(), question.mid(3));
    QVERIFY(!FindControl<BuildRunner>(f, "runner")->Running());
    QCOMPARE(ReadText(rom.toStdString()), std::string("earlier"));
    home.dialogs.nextYes = {true};
    Build(f); // accepted: built, and the build's own warning gives the exact size
    QCOMPARE(home.dialogs.questions.size(), 2);
    const auto size = fs::file_size(rom.toStdString());
    QVERIFY(size > 33554432u);
    QCOMPARE(home.dialogs.messages,
             QStringList{"注意|The build is done, with warnings:\nthe image is " + QString::number(size) +
                         " bytes, more than the 33554432 bytes (32 MiB) of a cartridge; the handheld cannot "
                         "read what lies past that"});
}

void MenuCommandsTest::flashingProgramAfterBuild() {
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    Files files;
    const fs::path marker = files.path / "flashed";
    // A name with a blank: the whole text is the program's path.
    const QString script =
        files.Write("flash tool", "#!/bin/sh\ntouch '" + marker.string() + "'\n");
    fs::permissions(script.toStdString(), fs::perms::owner_all);
    // Chosen by its dialog: programs here have no ending, so the list is of those that run.
    home.dialogs.nextFiles = {{script}};
    Button(f, "Command13")->click();
    QCOMPARE(Edit(f, "Text2")->text(), script);
    const FileQuestion& asked = home.dialogs.asked.back();
    QCOMPARE(NameFilters(asked.filters), (QStringList{"Programs (*)", "All files (*)"}));
    QVERIFY(asked.filters[0].executables && !asked.filters[1].executables);
    QVERIFY(asked.mustExist);
    home.dialogs.nextFiles = {{files.Write("a.txt", "abc")}};
    Button(f, "Command1")->click();
    Edit(f, "Text1")->setText(QString::fromStdString((files.path / "out.gba").string()));
    FindControl<QCheckBox>(f, "Check1")->click();
    Edit(f, "Text2")->setText(script);
    Build(f);
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(marker), 5000);

    fs::remove(marker);
    FindControl<QCheckBox>(f, "Check1")->click(); // unticked: not started
    Build(f);
    QTest::qWait(300);
    QVERIFY(!fs::exists(marker));

    // A file that is there but cannot run is reported.
    const QString plain = files.Write("notes", "not a program");
    FindControl<QCheckBox>(f, "Check1")->click();
    Edit(f, "Text2")->setText(plain);
    Build(f);
    QCOMPARE(home.dialogs.messages,
             QStringList{"注意|The flashing program could not be started: " + plain});
}

void MenuCommandsTest::droppedFilesAreAdded() {
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    Files files;
    QMimeData data;
    const QString broken = files.Write("broken.epub", "PK\x03\x04 not really a book");
    data.setUrls({QUrl::fromLocalFile(files.Write("one.txt", "1")),
                  QUrl::fromLocalFile(files.Write("skip.avi", "x")),
                  QUrl::fromLocalFile(broken),
                  QUrl::fromLocalFile(files.Write("two.htm", "2"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(FindControl<QListView>(f, "List2")->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(FindControl<QListView>(f, "List2")->viewport(), &drop);
    QCOMPARE(Names(f), QString("one,two"));
    QVERIFY(Button(f, "Command5")->isEnabled());
    // A file of a kind Lumenbrook reads that cannot be read is named, the others left quietly.
    QCOMPARE(home.dialogs.messages,
             QStringList{"注意|These cannot be read and were not added:\n" + broken +
                         ": the archive cannot be read: Truncated ZIP file header"});
}

void MenuCommandsTest::endingAsksAboutAChangedMenu_data() {
    QTest::addColumn<QString>("way");    // exit, ctrl+x (the list focused) or close
    QTest::addColumn<QString>("menu");   // changed, saved, opened or empty
    QTest::addColumn<QString>("answer"); // save, save-cancelled, discard, cancel or none
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<bool>("listWritten");
    for (const char* way : {"exit", "ctrl+x", "close"}) {
        const QString w = way;
        QTest::newRow(qPrintable(w + ", save")) << w << "changed"
                                                << "save" << true << true << true;
        QTest::newRow(qPrintable(w + ", save but no file chosen"))
            << w << "changed"
            << "save-cancelled" << true << false << false;
        QTest::newRow(qPrintable(w + ", discard")) << w << "changed"
                                                   << "discard" << true << true << false;
        QTest::newRow(qPrintable(w + ", cancel")) << w << "changed"
                                                  << "cancel" << true << false << false;
    }
    QTest::newRow("saved since the change") << "exit"
                                            << "saved"
                                            << "none" << false << true << false;
    QTest::newRow("just opened") << "close"
                                 << "opened"
                                 << "none" << false << true << false;
    QTest::newRow("empty") << "ctrl+x"
                           << "empty"
                           << "none" << false << true << false;
}

void MenuCommandsTest::endingAsksAboutAChangedMenu() {
    QFETCH(QString, way);
    QFETCH(QString, menu);
    QFETCH(QString, answer);
    QFETCH(bool, asked);
    QFETCH(bool, ends);
    QFETCH(bool, listWritten);
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    Files files;
    const QString text = files.Write("a.txt", "abcde"),
                  list = files.Write("old.lkm", text.toStdString() + "\r\n");
    if (menu != "empty") {
        home.dialogs.nextFiles = {{menu == "opened" ? list : text}};
        if (menu == "opened")
            Action(f, "open")->trigger();
        else
            Button(f, "Command1")->click();
    }
    if (menu == "saved") {
        home.dialogs.nextFiles = {{files.Write("saved.lkm", "")}};
        Action(f, "save")->trigger();
    }
    const QString chosen = QString::fromStdString((files.path / "menu.lkm").string());
    if (answer == "save") home.dialogs.nextFiles = {{chosen}};
    if (answer == "save-cancelled") home.dialogs.nextFiles = {{}};
    const std::map<QString, SaveAnswer> answers = {{"save", SaveAnswer::Save},
                                                   {"save-cancelled", SaveAnswer::Save},
                                                   {"discard", SaveAnswer::Discard},
                                                   {"cancel", SaveAnswer::Cancel}};
    if (answers.count(answer)) home.dialogs.nextSaveAnswers = {answers.at(answer)};

    if (way == "exit") {
        Action(f, "exit")->trigger();
    } else if (way == "close") {
        QCOMPARE(f.close(), ends);
    } else {
        QCOMPARE(Action(f, "exit")->shortcut(), QKeySequence("Ctrl+X"));
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QListView* listView = FindControl<QListView>(f, "List2");
        listView->setFocus();
        QTest::keyClick(listView, Qt::Key_X, Qt::ControlModifier);
    }
    QCOMPARE(home.dialogs.saveQuestions.size(), asked ? 1 : 0);
    if (asked)
        QCOMPARE(home.dialogs.saveQuestions[0],
                 QString("Lumenbrook v2.0|Save the menu?|The menu has changes that are not "
                         "saved.|Save|Discard|Cancel"));
    QCOMPARE(home.quits, ends ? 1 : 0);
    QCOMPARE(fs::exists(chosen.toStdString()), listWritten);
    if (listWritten)
        QCOMPARE(QString::fromStdString(ReadText(chosen.toStdString())), text + "\r\n");
    QCOMPARE(home.dialogs.unanswered, 0);
}

QTEST_MAIN(MenuCommandsTest)
// The Options menu's text choices: kept for the next start, and what the build does with a
// UTF-8 text on the English font (CP1252: é is E9).
void MenuCommandsTest::textOptionsAreKeptAndUsed() {
    Files files;
    const QString text = files.Write("e.txt", "caf\xC3\xA9"), rom = files.Write("out.gba", "");
    struct Case {
        const char* action;
        QStringList answers; // for "Read every text as…"
        const char* encoding; // as stored
        const char* record;   // the text record's data
        QString message;      // shown, if anything
    };
    const Case cases[] = {
        {"encodingKeep", {}, "keep", "caf\xC3\xA9", ""},
        {"encodingAuto", {}, "auto", "caf\xE9", ""},
        // Read as CP437 the two bytes are ├ and ⌐, which CP1252 lacks.
        {"encodingOther", {" CP437 "}, "CP437", "caf??", ""},
        {"encodingOther", {"NO-SUCH-CODE"}, "CP437", "caf??",
         "注意|\"NO-SUCH-CODE\" is no encoding this system knows"},
        {"encodingOther", {""}, "CP437", "caf??", ""}, // cancelled
    };
    for (const Case& c : cases) {
        Home home(kEnglishSettings);
        QVERIFY(home.Load());
        MainForm& f = *home.form;
        for (const QString& a : c.answers) home.dialogs.nextAnswers.push_back(a);
        Action(f, c.action)->trigger();
        QCOMPARE(QString::fromStdString(BuildOptions::Load().text.encoding), QString(c.encoding));
        QCOMPARE(home.dialogs.messages.join("\n"), c.message);
        f.AddPaths({text});
        Edit(f, "Text1")->setText(rom);
        Build(f);
        const auto image = ReadText(rom.toStdString());
        const std::string want = std::string(c.record) + std::string((4 - strlen(c.record) % 4) % 4, ' ');
        QCOMPARE(QString::fromLatin1(image.substr(image.size() - want.size()).c_str()),
                 QString::fromLatin1(want.c_str()));
        // A new window shows the stored choice ticked.
        Home again(kEnglishSettings);
        QVERIFY(again.Load());
        const bool named = QString(c.encoding) != "auto" && QString(c.encoding) != "keep";
        QVERIFY(Action(*again.form, named ? "encodingOther" : c.action)->isChecked());
    }
    Home home(kChineseSettings);
    QVERIFY(home.Load());
    QCOMPARE(FindControl<QMenu>(*home.form, "optionsMenu")->title(), QString("選項"));
    Action(*home.form, "chineseKeep")->trigger();
    QVERIFY(!BuildOptions::Load().text.convertScript);
    Action(*home.form, "chineseAuto")->trigger();
    QVERIFY(BuildOptions::Load().text.convertScript);
    Action(*home.form, "encodingAuto")->trigger();

    // Web page text and reading order: each choice kept, and what the build made of it.
    const QString page = files.Write("p.htm", "<nav>Home</nav><main>abc</main>");
    QCOMPARE(FindControl<QMenu>(*home.form, "pageTextMenu")->title(), QString("網頁文字"));
    QCOMPARE(FindControl<QMenu>(*home.form, "readingOrderMenu")->title(), QString("閱讀方向"));
    QVERIFY(Action(*home.form, "pageWhole")->isChecked());
    const auto builtWith = [&](const char* choice) {
        Home english(kEnglishSettings);
        english.Load();
        MainForm& f = *english.form;
        Action(f, choice)->trigger();
        f.AddPaths({page});
        Edit(f, "Text1")->setText(rom);
        Build(f);
        Home again(kEnglishSettings);
        again.Load();
        return std::pair{ReadText(rom.toStdString()), Action(*again.form, choice)->isChecked()};
    };
    // The main text alone, then the whole page again.
    for (const char* choice : {"pageMain", "pageWhole"}) {
        const auto [image, kept] = builtWith(choice);
        const std::string want = QString(choice) == "pageMain" ? "abc " : "Home\r\nabc   ";
        QCOMPARE(QString::fromLatin1(image.substr(image.size() - want.size()).c_str()),
                 QString::fromLatin1(want.c_str()));
        QVERIFY(kept);
    }
    // The reading order, written where the viewer reads it.
    for (const char* choice : {"rightToLeft", "leftToRight"}) {
        const auto [image, kept] = builtWith(choice);
        QCOMPARE(int(uint8_t(image.at(LB_VIEWER_CHOICES_OFFSET))), QString(choice) == "rightToLeft" ? 1 : 0);
        QVERIFY(kept);
    }
}

// Options → Pictures: the choice is kept, and a listed photo's estimate follows it: 480 x 360
// fits the screen as 213 x 160 (a 214-wide record of 15-bit colours), or stays 480 x 360.
void MenuCommandsTest::pictureOptionsChangeTheEstimate() {
    Files files;
    const QString photo = QString::fromStdString((files.path / "photo.png").string());
    QVERIFY(QProcess::execute("convert", {"-size", "480x360", "plasma:", photo}) == 0);
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    Action(f, "fitAuto")->trigger();
    Action(f, "colours32768")->trigger();
    const int64_t empty = f.Model().menu.TotalSize;
    f.AddPaths({photo});
    const int64_t name = 32;
    QCOMPARE(f.Model().menu.TotalSize - empty, 12 + 214 * 160 * 2 + name);
    Action(f, "fitKeep")->trigger();
    Action(f, "colours256")->trigger();
    QCOMPARE(f.Model().menu.TotalSize - empty, 12 + 480 * 360 + 512 + name);
    QCOMPARE(Label(f, "Label4")->text(), QString::fromStdString(f.Model().menu.SizeLabel()));
    QCOMPARE(BuildOptions::Load().pictures.fit, lb::FitRule::Keep);
    QCOMPARE(BuildOptions::Load().pictures.colours, 256);
    Home again(kEnglishSettings);
    QVERIFY(again.Load());
    QVERIFY(Action(*again.form, "fitKeep")->isChecked());
    QVERIFY(Action(*again.form, "colours256")->isChecked());
    Action(f, "fitAuto")->trigger();
    Action(f, "colours32768")->trigger();
}

// Options → Pictures → "Trim margins": a picture added alone keeps its margins unless every
// picture is trimmed. 400 x 300 inside 40 pixels of white fits whole as 202 x 160, trimmed as
// 213 x 160 (a 214-wide record). The spreads choice is kept as well.
void MenuCommandsTest::trimAndSpreadOptionsAreKept() {
    Files files;
    const QString photo = QString::fromStdString((files.path / "framed.png").string());
    QVERIFY(QProcess::execute("convert", {"-size", "400x300", "plasma:", "-bordercolor", "white", "-border",
                                          "40", photo}) == 0);
    Home home(kEnglishSettings);
    QVERIFY(home.Load());
    MainForm& f = *home.form;
    Action(f, "fitAuto")->trigger();
    Action(f, "colours32768")->trigger();
    Action(f, "trimPages")->trigger();
    const int64_t empty = f.Model().menu.TotalSize, name = 32;
    f.AddPaths({photo});
    QCOMPARE(f.Model().menu.TotalSize - empty, 12 + 202 * 160 * 2 + name);
    Action(f, "trimAll")->trigger();
    Action(f, "spreadsRotate")->trigger();
    QCOMPARE(f.Model().menu.TotalSize - empty, 12 + 214 * 160 * 2 + name);
    QCOMPARE(BuildOptions::Load().pictures.trim, lb::TrimRule::All);
    Home again(kEnglishSettings);
    QVERIFY(again.Load());
    QVERIFY(Action(*again.form, "trimAll")->isChecked());
    QVERIFY(Action(*again.form, "spreadsRotate")->isChecked());
    Action(f, "trimPages")->trigger();
    Action(f, "spreadsSplit")->trigger();
}

#include "MenuCommandsTest.moc"
