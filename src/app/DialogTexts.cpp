#include "app/DialogTexts.h"

#include "common/UserTexts.h"
#include "items/FileEndings.h"

namespace lb {

namespace {

using K = FileKind;

FileFilter Filter(UserText description, uint8_t LanguageFlag, std::vector<std::string> patterns) {
    return {Say(description, LanguageFlag), std::move(patterns)};
}

} // namespace

FileDialogText AddFilesDialog(uint8_t l) {
    return {
        Say(UserText::AddFilesTitle, l),
        {Filter(UserText::AllFilesFilter, l,
                PatternsFor({K::Bitmap, K::Photo, K::ComicArchive, K::Pdf, K::Book, K::Document, K::Text, K::LkbText,
                             K::WebPage, K::MenuList})),
         Filter(UserText::PicturesFilter, l, PatternsFor({K::Bitmap, K::Photo})),
         Filter(UserText::ComicsFilter, l, PatternsFor({K::ComicArchive, K::Pdf})),
         Filter(UserText::BooksFilter, l, PatternsFor({K::Book, K::Document})),
         Filter(UserText::PagesAndTextsFilter, l, PatternsFor({K::Text, K::LkbText, K::WebPage})),
         Filter(UserText::MenuListFilter, l, PatternsFor({K::MenuList}))}};
}
FileDialogText CategoryDialog(uint8_t l) {
    return {Say(UserText::CategoryTitle, l),
            {Filter(UserText::CategoryFilter, l, PatternsFor({K::Text}))}};
}
FileDialogText SaveMenuDialog(uint8_t l) {
    return {Say(UserText::SaveMenuTitle, l),
            {Filter(UserText::MenuListFilter, l, PatternsFor({K::MenuList}))}};
}
FileDialogText OpenMenuDialog(uint8_t l) {
    return {Say(UserText::OpenMenuTitle, l),
            {Filter(UserText::MenuListFilter, l, PatternsFor({K::MenuList}))}};
}
FileDialogText RomDialog(uint8_t l) {
    return {Say(UserText::RomTitle, l), {Filter(UserText::RomFilter, l, {"*.Gba", "*.Bin"})}};
}
FileDialogText ScreenshotDialog(uint8_t l) {
    return {Say(UserText::ScreenshotTitle, l), {Filter(UserText::ScreenshotFilter, l, {"*.png"})}};
}
FileDialogText FlashProgramDialog(uint8_t l) {
    // Programs here have no ending of their own: the ones that can be run, whatever their name.
    FileFilter programs = Filter(UserText::FlashProgramFilter, l, {"*"});
    programs.executables = true;
    return {Say(UserText::FlashProgramTitle, l),
            {programs, Filter(UserText::EveryFileFilter, l, {"*"})}};
}
const char* RenameTitle(uint8_t l) {
    return Say(UserText::RenameTitle, l);
}

} // namespace lb
