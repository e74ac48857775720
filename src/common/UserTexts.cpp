#include "common/UserTexts.h"

#include <initializer_list>
#include <iterator>
#include <string_view>

namespace lb {

namespace {

struct Row {
    UserText id;
    const char* chinese;
    const char* english;
};

// Every text the program shows the user, in both languages, in the order of UserText, which a
// check below keeps.
constexpr Row kTexts[] = {
    {UserText::WriteProgram, "寫入Lumenbrook程式....", "Write Program..."},
    {UserText::WriteSkin, "寫入Skin圖片....", "Write Skin..."},
    {UserText::Converting, "轉換中....", "Convering file...."},
    {UserText::ConversionDone, "轉換完成!", "Conversion done!"},
    {UserText::EntryNumber, "第 {} 項", "entry {}"},
    {UserText::ReadAs, "以 {} 讀入", "read as {}"},
    {UserText::CharactersSpelled, "字型沒有的 {} 個字元改用相近寫法（ę 作 e、“ 作 \"）",
     "{} characters the font lacks spelled as it can show them (ę as e, “ as \")"},
    {UserText::HeadingsCut, "找到 {} 個章節標題，只保留前 10000 個", "{} chapter headings, the first 10000 kept"},
    {UserText::ToTraditional, "轉為繁體字（{}）", "converted to Traditional Chinese ({})"},
    {UserText::ToSimplified, "轉為簡體字（{}）", "converted to Simplified Chinese ({})"},
    {UserText::StoredUnchanged, "無法判斷編碼，原樣存入",
     "its encoding could not be told; stored unchanged"},
    {UserText::Separator, "，", ", "},
    {UserText::LargerThanScreen, "{}，比螢幕大，保留原樣（--fit screen 可縮到螢幕大小）",
     "{}, larger than the screen, kept as it is (--fit screen would fit it)"},
    {UserText::BuildDoneWithWarnings, "轉換完成，但有以下警告：\n",
     "The build is done, with warnings:\n"},
    {UserText::BuildFailed, "轉換失敗：", "The build failed: "},
    {UserText::FlashingProgramNotStarted, "無法執行燒錄程式：",
     "The flashing program could not be started: "},
    {UserText::SettingsNotSaved, "無法儲存設定：", "The settings could not be saved: "},
    {UserText::TooLargeQuestion,
     "映像檔約 {} 位元組，超過卡帶可定址的 33554432 位元組（32 "
     "MiB），掌機讀不到超出的部分。仍要轉換嗎？",
     "The image will be about {} bytes, more than the 33554432 bytes (32 MiB) of a cartridge; the "
     "handheld cannot read what lies past that. Build it anyway?"},
    {UserText::IncompleteDefaultSkin, "預設Skin不完整，以下檔案找不到或無法讀取：",
     "The default skin is incomplete. These files are missing or cannot be read:"},
    {UserText::AboutTitle, "關於", "about"},
    {UserText::AboutName, "Lumenbrook 圖片轉換工具", "Lumenbrook"},
    {UserText::RenameTitle, "更改名稱", "Rename"},
    {UserText::AddFilesTitle, "加入圖片", "Add Bitmap"},
    {UserText::AllFilesFilter, "全部文件", "All Files"},
    {UserText::PicturesFilter, "圖片 (*.BMP *.JPG *.PNG *.GIF *.WEBP *.TIF)", "Pictures"},
    {UserText::ComicsFilter, "漫畫壓縮檔與 PDF", "Comic archives and PDF"},
    {UserText::BooksFilter, "電子書與文件", "Books and documents"},
    {UserText::PagesAndTextsFilter, "網頁或純文字文件 (*.HTM *.TXT)", "Html or TXT"},
    {UserText::CategoryTitle, "建立檔案", "Create File"},
    {UserText::CategoryFilter, "純文字文件 (*.TXT)", "TXT File (*.TXT)"},
    {UserText::SaveMenuTitle, "儲存清單", "Save"},
    {UserText::OpenMenuTitle, "開啟清單", "Open"},
    {UserText::MenuListFilter, "Lumenbrook 清單 (*.LKM)", "Lumenbrook Menu (*.LKM)"},
    {UserText::RomTitle, "儲存檔案", "Save File"},
    {UserText::RomFilter, "GBA Rom (*.Gba *.Bin)", "GBA Rom (*.Gba *.Bin)"},
    {UserText::ScreenshotTitle, "儲存截圖", "Save Screenshot"},
    {UserText::ScreenshotFilter, "PNG 圖片 (*.png)", "PNG picture (*.png)"},
    {UserText::FlashProgramTitle, "選擇檔案", "Select File"},
    {UserText::NotAdded, "以下檔案無法讀取，未加入：", "These cannot be read and were not added:"},
    {UserText::FlashProgramFilter, "程式", "Programs"},
    {UserText::EveryFileFilter, "所有檔案", "All files"},
    {UserText::OptionsMenu, "選項", "Options"},
    {UserText::TextEncodingMenu, "文字編碼", "Text encoding"},
    {UserText::EncodingAuto, "自動判斷，轉為字形的編碼",
     "Detect, and convert to the font's code page"},
    {UserText::EncodingKeep, "保留檔案原本的位元組", "Keep the file's bytes"},
    {UserText::EncodingOther, "一律以指定編碼讀入…", "Read every text as…"},
    {UserText::EncodingOtherPrompt, "編碼名稱（如 GB18030、SHIFT_JIS）：",
     "Encoding name (GB18030, SHIFT_JIS, ...):"},
    {UserText::EncodingUnknown, "不認得編碼「{}」", "\"{}\" is no encoding this system knows"},
    {UserText::ChineseMenu, "繁簡轉換", "Chinese characters"},
    {UserText::ChineseAuto, "依字形轉為繁體或簡體",
     "Traditional or Simplified as the font draws them"},
    {UserText::ChineseKeep, "不轉換", "Keep them as they are"},
    {UserText::PicturesMenu, "圖片", "Pictures"},
    {UserText::FitAuto, "自動（新格式縮到螢幕，BMP 保留原樣）",
     "Automatic (new formats fit the screen, BMP kept)"},
    {UserText::FitScreen, "縮到螢幕大小", "Fit the screen"},
    {UserText::FitWidth, "縮到螢幕寬度（捲動觀看）", "Fit the screen's width (to scroll)"},
    {UserText::FitKeep, "保留原本大小", "Keep their size"},
    {UserText::Colours32768, "32768 色", "32768 colours"},
    {UserText::Colours256, "256 色", "256 colours"},
    {UserText::Colours16, "16 色", "16 colours"},
    {UserText::TrimPages, "裁掉邊白：資料夾、壓縮檔與 PDF 的頁面", "Trim margins: pages of folders, archives and PDFs"},
    {UserText::TrimAll, "裁掉邊白：所有圖片", "Trim margins: every picture"},
    {UserText::TrimOff, "裁掉邊白：不裁", "Trim margins: none"},
    {UserText::SpreadsSplit, "跨頁：分成兩頁", "Double-page spreads: split in two"},
    {UserText::SpreadsRotate, "跨頁：轉向直放", "Double-page spreads: turned upright"},
    {UserText::SpreadsKeep, "跨頁：保留整張", "Double-page spreads: kept whole"},
    {UserText::Wrote, "已寫入 {}（{} 位元組）", "wrote {} ({} bytes)"},
    {UserText::NothingToBuild, "沒有可轉換的項目，未寫入任何檔案",
     "nothing to build: every entry was skipped"},
    {UserText::SaveMenuQuestion, "儲存選單？", "Save the menu?"},
    {UserText::SaveMenuDetail, "選單有尚未儲存的變更。",
     "The menu has changes that are not saved."},
    {UserText::SaveButton, "儲存", "Save"},
    {UserText::DiscardButton, "不儲存", "Discard"},
    {UserText::CancelButton, "取消", "Cancel"},
    {UserText::PageTextMenu, "網頁文字", "Web page text"},
    {UserText::PageWhole, "整頁文字", "The whole page"},
    {UserText::PageMain, "只取正文（略去導覽列、側欄）",
     "Its main text (no navigation or sidebars)"},
    {UserText::ParagraphsMenu, "文字段落", "Text paragraphs"},
    {UserText::ParagraphsAuto, "自動接合斷行的段落", "Join hard-wrapped lines (automatic)"},
    {UserText::ParagraphsKeep, "保留原本的換行", "Keep the line ends"},
    {UserText::ParagraphsLines, "段落內的換行全部接合", "Join every line in a paragraph"},
    {UserText::ReadingOrderMenu, "閱讀方向", "Reading order"},
    {UserText::LeftToRight, "由左至右（右鍵翻到下一頁）", "Left to right (Right turns to the next page)"},
    {UserText::RightToLeft, "由右至左（左鍵翻到下一頁，漫畫）", "Right to left (Left turns to the next page: manga)"},
    {UserText::ChapterN, "第 {} 章", "Chapter {}"},
    {UserText::PageN, "第 {} 頁", "Page {}"},
    {UserText::AddCaption, "加入", "Add"},
    {UserText::ClearCaption, "清除", "Clear"},
    {UserText::ClearAllCaption, "清除全部", "Clear All"},
    {UserText::SkinsCaption, "更換Skin", "Skins"},
    {UserText::RenameCaption, "更換名稱", "Rename"},
    {UserText::CategoryCaption, "建立分類", "Directory"},
    {UserText::LanguageLabel, "選擇語言：", "Language:"},
    {UserText::SizeLabel, "容量：", "Size:"},
    {UserText::FontLabel, "字形：", "Font:"},
    {UserText::RomLabel, "轉換後ROM檔:", "ROM:"},
    {UserText::CornerTopLeft, "左上角", "Left side up"},
    {UserText::CornerTopRight, "右上角", "Right side up"},
    {UserText::CornerBottomLeft, "左下角", "Left side down"},
    {UserText::CornerBottomRight, "右下角", "Right side down"},
    {UserText::FlashAfterBuild, "轉換後執行燒錄程式", "Start flashing software after build"},
    {UserText::ChineseLanguageEntry, "繁體中文Big5", "繁體中文Big5"},
    {UserText::EnglishLanguageEntry, "English", "English"},
    {UserText::StartCaption, "開始轉換", "開始轉換"},
    {UserText::NoticeTitle, "注意", "注意"},
    {UserText::ChooserTitle, "更換Skin", "Skin"},
    {UserText::ChooserDefault, "預設", "Default"},
    {UserText::ChooserOk, "確定", "OK"},
    {UserText::ChooserCount, "個數", "Count"},
    {UserText::ChooserLayout, "選單配置", "Menu"},
    {UserText::PreviewMenu, "預覽", "Preview"},
    {UserText::PreviewAfterBuild, "建置後預覽", "Preview after build"},
    {UserText::PreviewTitle, "預覽", "Preview"},
    {UserText::PreviewReload, "重新載入", "Reload"},
    {UserText::PreviewScreenshot, "截圖…", "Screenshot…"},
    {UserText::PreviewScreenshotScaled, "依顯示大小截圖…", "Screenshot at the shown scale…"},
    {UserText::PreviewScale, "縮放", "Scale"},
    {UserText::PreviewKeys, "按鍵…", "Keys…"},
    {UserText::PreviewKeysTitle, "按鍵設定", "Keys"},
    {UserText::PreviewArrows, "方向鍵：十字鍵", "Arrows: D-pad"},
    {UserText::MenuMenu, "&Menu", "&Menu"},
    {UserText::SaveMenuItem, "&Save Menu", "&Save Menu"},
    {UserText::OpenMenuItem, "&Open Menu", "&Open Menu"},
    {UserText::ExitItem, "&Exit", "&Exit"},
    {UserText::HelpMenu, "&Help", "&Help"},
    {UserText::HelpItem, "&Help", "&Help"},
    {UserText::AboutItem, "&About", "&About"},
    {UserText::MissingTitle, "找不到Title.Bmp", "找不到Title.Bmp"},
    {UserText::MissingMenu, "找不到Menu.Bmp", "找不到Menu.Bmp"},
    {UserText::MissingBack, "找不到Back.Bmp", "找不到Back.Bmp"},
    {UserText::MissingLayout, "找不到Skin.ini", "找不到Skin.ini"},
    {UserText::CharactersReplaced, "{}：{} 個{}字元不在 {} 中，已改為「?」",
     "{}: {} characters of the {} are not in {} and became \"?\""},
    {UserText::CharacterReplaced, "{}：{} 個{}字元不在 {} 中，已改為「?」",
     "{}: {} character of the {} is not in {} and became \"?\""},
    {UserText::BytesNotDecoded, "{}：文字中不是 {} 字元的位元組已改為「?」：{} 個",
     "{}: bytes of the text that are no characters in {}, stored as \"?\": {}"},
    {UserText::InTheName, "名稱", "name"},
    {UserText::InThePage, "網頁", "page"},
    {UserText::InTheText, "文字", "text"},
    {UserText::SkinNotScreenSized,
     "{} {} 是 {} x {}、每像素 {} 位元；掌機要的是 240 x 160、8 位元，其後的資料都會跟著錯位",
     "{} {} is {} x {} at {} bits per pixel; the handheld expects 240 x 160 at 8, and everything "
     "after it moves by the difference"},
    {UserText::TitlePicture, "標題圖片", "title picture"},
    {UserText::MenuPicture, "選單圖片", "menu picture"},
    {UserText::BackPicture, "背景圖片", "back picture"},
    {UserText::ImageTooLarge,
     "映像檔有 {} 位元組，超過卡帶可定址的 33554432 位元組（32 MiB），掌機讀不到超出的部分",
     "the image is {} bytes, more than the 33554432 bytes (32 MiB) of a cartridge; the handheld "
     "cannot read what lies past that"},
    {UserText::EntriesPastTheEnd, "；掌機無法開啟{}", "; the handheld cannot open {}"},
};

constexpr bool InOrder() {
    for (size_t i = 0; i < std::size(kTexts); ++i)
        if (static_cast<size_t>(kTexts[i].id) != i) return false;
    return std::size(kTexts) == static_cast<size_t>(UserText::Count);
}
static_assert(InOrder(), "one row for each UserText, in its order");

} // namespace

const char* Say(UserText id, uint8_t LanguageFlag) {
    const Row& row = kTexts[static_cast<size_t>(id)];
    return LanguageFlag == 0 ? row.chinese : row.english;
}

namespace {

// Replaces the "{}" marks in order, each with the next value.
std::string Fill(const char* text, std::initializer_list<std::string_view> values) {
    std::string out = text;
    size_t from = 0;
    for (const std::string_view value : values) {
        const size_t at = out.find("{}", from);
        if (at == std::string::npos) break;
        out.replace(at, 2, value);
        from = at + value.size();
    }
    return out;
}

} // namespace

std::string Say(UserText id, uint8_t LanguageFlag, const std::string& value) {
    return Fill(Say(id, LanguageFlag), {value});
}

std::string Say(UserText id, uint8_t LanguageFlag, const std::string& value,
                const std::string& second) {
    return Fill(Say(id, LanguageFlag), {value, second});
}

std::string Say(UserText id, uint8_t LanguageFlag, std::initializer_list<std::string_view> values) {
    return Fill(Say(id, LanguageFlag), values);
}

std::string WithThousands(uint64_t n) {
    std::string digits = std::to_string(n), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

} // namespace lb
