#include "app/Captions.h"

#include "app/Contacts.h"

#include <cstring>

namespace lb {

namespace {

const CaptionSet kChinese = {
    "Lumenbrook v2.0",
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
    "Lumenbrook v2.0",
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
    return LanguageFlag == 0 ? "關於" : "about";
}

std::string AboutText(uint8_t LanguageFlag) {
    std::string text = LanguageFlag == 0 ? "Lumenbrook 圖片轉換工具 v2.0" : "Lumenbrook v2.0";
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
    const std::string size = std::to_string(estimate);
    if (LanguageFlag == 0)
        return "映像檔約 " + size + " 位元組，超過卡帶可定址的 33554432 位元組（32 MiB），"
               "掌機讀不到超出的部分。仍要轉換嗎？";
    return "The image will be about " + size +
           " bytes, more than the 33554432 bytes (32 MiB) of a cartridge; the handheld cannot read "
           "what lies past that. Build it anyway?";
}

} // namespace lb
