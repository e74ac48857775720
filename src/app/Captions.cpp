#include "app/Captions.h"

#include "common/ProgramNames.h"
#include "common/UserTexts.h"

#include <cstring>

namespace lb {

namespace {

CaptionSet MakeCaptions(uint8_t l) {
    return {kProgramTitle,
            Say(UserText::AddCaption, l),
            Say(UserText::ClearCaption, l),
            Say(UserText::ClearAllCaption, l),
            Say(UserText::SkinsCaption, l),
            Say(UserText::RenameCaption, l),
            Say(UserText::CategoryCaption, l),
            Say(UserText::LanguageLabel, l),
            Say(UserText::SizeLabel, l),
            Say(UserText::FontLabel, l),
            Say(UserText::RomLabel, l),
            {Say(UserText::CornerTopLeft, l), Say(UserText::CornerTopRight, l),
             Say(UserText::CornerBottomLeft, l), Say(UserText::CornerBottomRight, l)},
            Say(UserText::FlashAfterBuild, l),
            Say(UserText::ChooserTitle, l),
            Say(UserText::ChooserDefault, l),
            Say(UserText::ChooserOk, l),
            Say(UserText::ChooserCount, l),
            Say(UserText::ChooserLayout, l)};
}

PreviewCaptionSet MakePreviewCaptions(uint8_t l) {
    return {Say(UserText::PreviewMenu, l),       Say(UserText::PreviewAfterBuild, l),
            Say(UserText::PreviewTitle, l),      Say(UserText::PreviewReload, l),
            Say(UserText::PreviewScreenshot, l), Say(UserText::PreviewScreenshotScaled, l),
            Say(UserText::PreviewScale, l),      Say(UserText::PreviewKeys, l),
            Say(UserText::PreviewKeysTitle, l)};
}

} // namespace

const CaptionSet& CaptionsFor(uint8_t LanguageFlag) {
    static const CaptionSet chinese = MakeCaptions(0), english = MakeCaptions(1);
    return LanguageFlag == 0 ? chinese : english;
}

uint8_t LanguageForEntry(const char* entryText) {
    return std::strcmp(entryText, kChineseLanguageEntry) == 0 ? 0 : 1;
}

const char* AboutTitle(uint8_t LanguageFlag) {
    return Say(UserText::AboutTitle, LanguageFlag);
}

std::string AboutText(uint8_t LanguageFlag) {
    std::string text = std::string(Say(UserText::AboutName, LanguageFlag)) + " " + kVersion;
    for (const char* line : {"", kMakerName, kMakerMail, kFirstWebAddress, kSecondWebAddress})
        text += std::string("\r\n") + line;
    return text;
}

const PreviewCaptionSet& PreviewCaptionsFor(uint8_t LanguageFlag) {
    static const PreviewCaptionSet chinese = MakePreviewCaptions(0), english = MakePreviewCaptions(1);
    return LanguageFlag == 0 ? chinese : english;
}

std::string TooLargeQuestion(uint8_t LanguageFlag, int64_t estimate) {
    return Say(UserText::TooLargeQuestion, LanguageFlag, std::to_string(estimate));
}

} // namespace lb
