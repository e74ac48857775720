#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace lb {

// The texts the program shows the user outside the windows' caption sets, each in both
// interface languages.
enum class UserText {
    WriteProgram,
    WriteSkin,
    Converting, // followed by the entry's number and the count
    ConversionDone,
    EntryNumber,   // "{}" stands for the entry's 1-based position
    ReadAs,        // "{}" stands for the encoding
    CharactersSpelled, // "{}" the count of characters the font lacks put in another spelling
    HeadingsCut,       // "{}" the count of chapter headings found, past the 10,000 kept
    ToTraditional, // "{}" stands for the OpenCC conversion
    ToSimplified,
    StoredUnchanged,
    Separator,             // between the parts of one line
    LargerThanScreen,      // "{}" stands for the picture's size
    BuildDoneWithWarnings, // followed by the warnings, one a line
    BuildFailed,           // followed by the cause
    FlashingProgramNotStarted,
    SettingsNotSaved,
    TooLargeQuestion, // "{}" stands for the estimate in bytes
    IncompleteDefaultSkin,
    AboutTitle,
    AboutName,
    RenameTitle,
    AddFilesTitle,
    AllFilesFilter, // a file dialog filter's description; the patterns come from elsewhere
    PicturesFilter,
    ComicsFilter,
    BooksFilter,
    PagesAndTextsFilter,
    CategoryTitle,
    CategoryFilter,
    SaveMenuTitle,
    OpenMenuTitle,
    MenuListFilter,
    RomTitle,
    RomFilter,
    ScreenshotTitle,
    ScreenshotFilter,
    FlashProgramTitle,
    NotAdded,           // before the books and archives that cannot be read, a line each
    FlashProgramFilter, // the files that can be run
    EveryFileFilter,    // "*": every file, whatever its kind
    OptionsMenu,
    TextEncodingMenu,
    EncodingAuto,
    EncodingKeep,
    EncodingOther,
    EncodingOtherPrompt,
    EncodingUnknown, // "{}" stands for the name
    ChineseMenu,
    ChineseAuto,
    ChineseKeep,
    PicturesMenu,
    FitAuto,
    FitScreen,
    FitWidth,
    FitKeep,
    Colours32768,
    Colours256,
    Colours16,
    TrimPages,
    TrimAll,
    TrimOff,
    SpreadsSplit,
    SpreadsRotate,
    SpreadsKeep,
    Wrote,          // "{}" the ROM's path, then its size in bytes
    NothingToBuild, // every entry named was skipped
    SaveMenuQuestion,
    SaveMenuDetail,
    SaveButton,
    DiscardButton,
    CancelButton,
    PageTextMenu,
    PageWhole,
    PageMain,
    ParagraphsMenu,
    ParagraphsAuto,
    ParagraphsKeep,
    ParagraphsLines,
    ReadingOrderMenu,
    LeftToRight,
    RightToLeft,
    ChapterN, // "{}" stands for the chapter's number
    PageN,    // "{}" stands for the page's number
    // The main window's captions.
    AddCaption,
    ClearCaption,
    ClearAllCaption,
    SkinsCaption,
    RenameCaption,
    CategoryCaption,
    LanguageLabel,
    SizeLabel,
    FontLabel,
    RomLabel,
    CornerTopLeft,
    CornerTopRight,
    CornerBottomLeft,
    CornerBottomRight,
    FlashAfterBuild,
    ChineseLanguageEntry, // the language list's entries, the same in both languages
    EnglishLanguageEntry,
    StartCaption, // the same in both languages
    NoticeTitle,  // the same in both languages
    // The skin chooser's.
    ChooserTitle,
    ChooserDefault,
    ChooserOk,
    ChooserCount,
    ChooserLayout,
    // The preview's: the main window's two menu bar items, then the preview window's.
    PreviewMenu,
    PreviewAfterBuild,
    PreviewTitle,
    PreviewReload,
    PreviewScreenshot,
    PreviewScreenshotScaled,
    PreviewScale,
    PreviewKeys,
    PreviewKeysTitle,
    PreviewArrows, // the status bar's word for the D-pad on the arrow keys
    // The menu bar's first two menus, the same in both languages.
    MenuMenu,
    SaveMenuItem,
    OpenMenuItem,
    ExitItem,
    HelpMenu,
    HelpItem,
    AboutItem,
    // A skin file that is missing or does not read, the same in both languages.
    MissingTitle,
    MissingMenu,
    MissingBack,
    MissingLayout,
    // The build's warnings.
    CharactersReplaced, // "{}" the entry, the count, where (one of the three below), the code page
    CharacterReplaced,  // the same for a count of one
    BytesNotDecoded,    // "{}" the entry, the encoding the text was read in, the count
    InTheName,
    InThePage,
    InTheText,
    SkinNotScreenSized, // "{}" the picture (one of the three below), its path, width, height, bits
    TitlePicture,
    MenuPicture,
    BackPicture,
    ImageTooLarge,      // "{}" the image's size in bytes
    EntriesPastTheEnd,  // "{}" the entries, each as EntryNumber with its path
    Count // not a text: how many there are
};

// 0 gives the Traditional Chinese text, every other value the English one (UTF-8).
const char* Say(UserText id, uint8_t LanguageFlag);

// The text with its "{}" replaced by `value` (and the second by `second`).
std::string Say(UserText id, uint8_t LanguageFlag, const std::string& value);
std::string Say(UserText id, uint8_t LanguageFlag, const std::string& value,
                const std::string& second);
std::string Say(UserText id, uint8_t LanguageFlag, std::initializer_list<std::string_view> values);

// A count with a comma between thousands: 239,348.
std::string WithThousands(uint64_t n);

} // namespace lb
