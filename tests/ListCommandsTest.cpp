#include "TestFiles.h"
#include "common/Error.h"
#include "menu/AddFile.h"
#include "menu/ListCommands.h"
#include "menu/MenuListFile.h"

#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

namespace {

ItemList Letters(const std::string& names) {
    ItemList menu(3);
    for (char c : names)
        menu.entries.push_back({std::string("/m/") + c + ".txt", std::string(1, c), 0});
    return menu;
}

std::string Names(const ItemList& menu) {
    std::string out;
    for (auto& e : menu.entries) out += e.name + (e.path == "/m/" + e.name + ".txt" ? "" : "!");
    return out;
}

Selection Marks(const std::string& marks) {
    Selection s;
    for (char c : marks) s.push_back(c == '1');
    return s;
}

std::string MarkText(const Selection& s) {
    std::string out;
    for (bool b : s) out += b ? '1' : '0';
    return out;
}

} // namespace

TEST(ListCommands, MovesFollowTheSelectionRules) {
    struct Case {
        const char* what;
        void (*move)(ItemList&, Selection&);
        const char* before;
        const char* after;
        const char* marksAfter;
    };
    const Case cases[] = {
        {"top, entries 2 and 4", MoveToTop, "00101", "CEABD", "00000"},
        {"bottom, entries 2 and 4", MoveToBottom, "00101", "ABDCE", "00000"},
        {"top, first entry only", MoveToTop, "10000", "ABCDE", "00000"},
        {"bottom, last entry only", MoveToBottom, "00001", "ABCDE", "00000"},
        {"up, block against the top", MoveUp, "11000", "ABCDE", "11000"},
        {"up, block of two", MoveUp, "01100", "BCADE", "11000"},
        {"up, two apart", MoveUp, "01010", "BADCE", "10100"},
        {"up, nothing selected", MoveUp, "00000", "ABCDE", "00000"},
        {"down, last entry", MoveDown, "00001", "ABCDE", "00001"},
        {"down, two apart", MoveDown, "01010", "ACBED", "00101"},
        {"down, block against the bottom", MoveDown, "00011", "ABCDE", "00011"},
        {"down, block of two", MoveDown, "01100", "ADBCE", "00110"},
    };
    for (const auto& c : cases) {
        ItemList menu = Letters("ABCDE");
        Selection marks = Marks(c.before);
        c.move(menu, marks);
        EXPECT_EQ(Names(menu), c.after) << c.what; // paths move with their names
        EXPECT_EQ(MarkText(marks), c.marksAfter) << c.what;
    }
}

TEST(ListCommands, ClearTakesOffWhatEachEntryAdded) {
    TempFolder dir;
    // Lengths 5, 6, 8, 1 and 0 add 53, 52, 52, 49 and 44 with their 32-byte name slots.
    const char* texts[] = {"abcde", "abcdef", "abcdefgh", "a", ""};
    ItemList menu(3);
    for (int i = 0; i < 5; ++i)
        AddFile(menu, dir.Write(std::string(1, char('A' + i)) + ".txt", texts[i]));
    ASSERT_EQ(menu.TotalSize, 170612 + 53 + 52 + 52 + 49 + 44);
    Selection marks = Marks("01010");
    ClearSelected(menu, marks);
    EXPECT_EQ(menu.TotalSize, 170612 + 53 + 52 + 44);
    EXPECT_EQ(menu.entries.size(), 3u);
    EXPECT_EQ(menu.entries[1].name, "C");
    EXPECT_EQ(MarkText(marks), "000");
    // A file that is gone takes off what it added when it came in.
    fs::remove(dir.Path() / "A.txt");
    marks = Marks("100");
    ClearSelected(menu, marks);
    EXPECT_EQ(menu.TotalSize, 170612 + 52 + 44);
    marks = Marks("11");
    ClearSelected(menu, marks);
    EXPECT_EQ(menu.TotalSize, ItemList(3).TotalSize); // where Clear All starts
    EXPECT_TRUE(menu.entries.empty());
}

TEST(ListCommands, RenameAsksOncePerSelectedEntry) {
    ItemList menu = Letters("ABCD");
    std::vector<std::string> asked;
    std::vector<std::optional<std::string>> answers = {std::string(), std::string("#Birds"),
                                                       std::nullopt};
    RenameSelected(menu, Marks("1101"), [&](const std::string& name) {
        asked.push_back(name);
        return answers[asked.size() - 1];
    });
    EXPECT_EQ(asked, (std::vector<std::string>{"A", "B", "D"}));
    EXPECT_EQ(menu.entries[0].name, "A"); // empty answer
    EXPECT_EQ(menu.entries[1].name, "#Birds");
    EXPECT_EQ(menu.entries[3].name, "D"); // cancelled
    EXPECT_EQ(menu.entries[1].path, "/m/B.txt");
}

TEST(ListCommands, CategoryFiles) {
    const std::pair<const char*, const char*> paths[] = {
        {"/m/Animals.txt", "/m/@Animals.txt"},
        {"/m/@Animals.txt", "/m/@@Animals.txt"},
        {"Animals", "@Animals"},
        {"/Animals.txt", "/@Animals.txt"},
    };
    for (auto [chosen, category] : paths) EXPECT_EQ(CategoryPathFor(chosen), category);
    EXPECT_EQ(CategoryFileText(), "Lumenbrook v2.0\r\nhttps://lumenbrook.example.org/\r\n"
                                  "https://lumenbrook.example.org/skins/\r\n");
}

TEST(ListCommands, OpenMenuReplacesTheMenuOrLeavesItAlone) {
    TempFolder dir;
    std::string a = dir.Write("Paris, summer/a.txt", "abcd");
    std::string b = dir.Write("b.txt", "xy");
    std::string inner = dir.Write("inner.lkm", b + "\r\n");
    std::string list = dir.Write("menu.lkm", a + "\n" + dir.Path().string() + "/gone.txt\r" +
                                                 inner + "\r\n\r\n" + b + "\r\n");
    ItemList menu(0);
    AddFile(menu, b);
    auto skipped = OpenMenu(menu, list, 3);
    ASSERT_EQ(menu.entries.size(), 2u);
    EXPECT_EQ(menu.entries[0].path, a);
    EXPECT_EQ(menu.entries[0].name, "a");
    EXPECT_EQ(menu.TotalSize, 170612 + (4 + 12 + 32) + (2 + 12 + 2 + 32));
    EXPECT_EQ(skipped.size(), 3u); // the missing file, the nested list, the empty line

    EXPECT_THROW(OpenMenu(menu, dir.Path().string() + "/none.lkm", 0), Error);
    EXPECT_EQ(menu.entries.size(), 2u);

    std::string empty = dir.Write("empty.lkm", "");
    EXPECT_TRUE(OpenMenu(menu, empty, 1).empty());
    EXPECT_TRUE(menu.entries.empty());
    EXPECT_EQ(menu.TotalSize, 119392 + 389140);
}

