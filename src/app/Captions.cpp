#include "app/Captions.h"

#include "common/ProgramNames.h"
#include "common/UserTexts.h"

#include <cstring>

namespace lb {

namespace {

const CaptionSet kChinese = {
    kProgramTitle,
    "加入",
    "清除",
    "清除全部",
    "更換Skin",
    "更換名稱",
    "建立分類",
    "選擇語言：",
    "容量：",
    "字形：",
    "轉換後ROM檔:",
    {"左上角", "右上角", "左下角", "右下角"},
    "轉換後執行燒錄程式",
    "更換Skin",
    "預設",
    "確定",
    "個數",
    "選單配置",
};

const CaptionSet kEnglish = {
    kProgramTitle,
    "Add",
    "Clear",
    "Clear All",
    "Skins",
    "Rename",
    "Directory",
    "Language:",
    "Size:",
    "Font:",
    "ROM:",
    {"Left side up", "Right side up", "Left side down", "Right side down"},
    "Start flashing software after build",
    "Skin",
    "Default",
    "OK",
    "Count",
    "Menu",
};

} // namespace

const CaptionSet& CaptionsFor(uint8_t LanguageFlag) {
    return LanguageFlag == 0 ? kChinese : kEnglish;
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
    static const PreviewCaptionSet chinese = {"預覽", "建置後預覽", "預覽", "重新載入", "截圖…",
                                              "依顯示大小截圖…", "縮放", "按鍵…", "按鍵設定"};
    static const PreviewCaptionSet english = {"Preview", "Preview after build", "Preview", "Reload",
                                              "Screenshot…", "Screenshot at the shown scale…", "Scale",
                                              "Keys…", "Keys"};
    return LanguageFlag == 0 ? chinese : english;
}

std::string TooLargeQuestion(uint8_t LanguageFlag, int64_t estimate) {
    return Say(UserText::TooLargeQuestion, LanguageFlag, std::to_string(estimate));
}

} // namespace lb
