#pragma once

#include "common/UserTexts.h"

#include <cstdint>
#include <string>

namespace lb {

// The captions one interface language puts on the two windows (UTF-8), from the table of
// user texts.
struct CaptionSet {
    const char* mainTitle;
    const char* Command1;  // add
    const char* Command3;  // clear
    const char* Command4;  // clear all
    const char* Command2;  // skins
    const char* Command6;  // rename
    const char* Command10; // category
    const char* Label1;    // language
    const char* Label3;    // size
    const char* Label5;    // font
    const char* Label6;    // ROM path
    const char* corners[4];
    const char* Check1;
    const char* chooserTitle;
    const char* chooserCommand3; // default
    const char* chooserCommand1; // OK
    const char* chooserLabel3;   // count
    const char* chooserFrame1;   // menu layout
};

// 0 gives the Traditional Chinese set, every other value the English one.
const CaptionSet& CaptionsFor(uint8_t LanguageFlag);

// The language list's entries; picking the first gives language 0, anything else 1.
inline const char* const kChineseLanguageEntry = Say(UserText::ChineseLanguageEntry, 0);
inline const char* const kEnglishLanguageEntry = Say(UserText::EnglishLanguageEntry, 0);
uint8_t LanguageForEntry(const char* entryText);

// Texts no language changes.
inline const char* const kStartCaption = Say(UserText::StartCaption, 0);
inline const char* const kNoticeTitle = Say(UserText::NoticeTitle, 0);

// The About box: its title and its whole text, lines joined by CR LF.
const char* AboutTitle(uint8_t LanguageFlag);
std::string AboutText(uint8_t LanguageFlag);

// The preview's captions: the main window's two menu bar items, then the preview window's.
struct PreviewCaptionSet {
    const char* preview;
    const char* afterBuild;
    const char* title;
    const char* reload;
    const char* screenshot;
    const char* screenshotScaled;
    const char* scale;
    const char* keys;
    const char* keysTitle;
};
const PreviewCaptionSet& PreviewCaptionsFor(uint8_t LanguageFlag);

// Asked before a build whose estimate passes the cartridge's 32 MiB.
std::string TooLargeQuestion(uint8_t LanguageFlag, int64_t estimate);

} // namespace lb
