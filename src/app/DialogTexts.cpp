#include "app/DialogTexts.h"

#include <vector>

namespace lb {

FileDialogText AddFilesDialog(uint8_t LanguageFlag) {
    if (LanguageFlag == 0)
        return {"加入圖片", "全部文件|*.BMP;*.TXT;*.LKB;*.HTM;*.HTML;*.LKM|點陣圖 (*.BMP)|*.BMP|"
                            "網頁或純文字文件 (*.HTM *.TXT)|*.TXT;*.LKB;*.HTM;*.HTML|Lumenbrook "
                            "清單 (*.LKM)|*.LKM"};
    return {"Add Bitmap", "All Files|*.BMP;*.TXT;*.LKB;*.HTM;*.HTML;*.LKM|BMP|*.BMP|"
                          "Html or TXT|*.TXT;*.LKB;*.HTM;*.HTML|Lumenbrook Menu (*.LKM)|*.LKM"};
}

FileDialogText CategoryDialog(uint8_t LanguageFlag) {
    return LanguageFlag == 0 ? FileDialogText{"建立檔案", "純文字文件 (*.TXT)|*.TXT"}
                             : FileDialogText{"Create File", "TXT File (*.TXT)|*.TXT"};
}

FileDialogText SaveMenuDialog(uint8_t LanguageFlag) {
    return LanguageFlag == 0 ? FileDialogText{"儲存清單", "Lumenbrook 清單 (*.LKM)|*.LKM"}
                             : FileDialogText{"Save", "Lumenbrook Menu (*.LKM)|*.LKM"};
}

FileDialogText OpenMenuDialog(uint8_t LanguageFlag) {
    return LanguageFlag == 0 ? FileDialogText{"開啟清單", "Lumenbrook 清單 (*.LKM)|*.LKM"}
                             : FileDialogText{"Open", "Lumenbrook Menu (*.LKM)|*.LKM"};
}

FileDialogText RomDialog(uint8_t LanguageFlag) {
    return {LanguageFlag == 0 ? "儲存檔案" : "Save File", "GBA Rom (*.Gba *.Bin)|*.Gba;*.Bin"};
}

FileDialogText ScreenshotDialog(uint8_t LanguageFlag) {
    return LanguageFlag == 0 ? FileDialogText{"儲存截圖", "PNG 圖片 (*.png)|*.png"}
                             : FileDialogText{"Save Screenshot", "PNG picture (*.png)|*.png"};
}

FileDialogText FlashProgramDialog(uint8_t LanguageFlag) {
    return LanguageFlag == 0 ? FileDialogText{"選擇檔案", "執行檔 (*.EXE)|*.EXE"}
                             : FileDialogText{"Select File", "EXE|*.EXE"};
}

const char* RenameTitle(uint8_t LanguageFlag) {
    return LanguageFlag == 0 ? "更改名稱" : "Rename";
}

namespace {

std::vector<std::string> Split(const std::string& text, char at) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == at)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

std::string AnyCase(const std::string& pattern) {
    std::string out;
    for (char c : pattern) {
        char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        if (lower != upper)
            out += std::string("[") + upper + lower + "]";
        else
            out += c;
    }
    return out;
}

} // namespace

std::string QtFilter(const std::string& filter) {
    std::vector<std::string> parts = Split(filter, '|');
    std::string out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns;
        for (const auto& pattern : Split(parts[i + 1], ';'))
            patterns += (patterns.empty() ? "" : " ") + AnyCase(pattern);
        out += (out.empty() ? "" : ";;") + parts[i] + " (" + patterns + ")";
    }
    return out;
}

} // namespace lb
