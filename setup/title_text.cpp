#include "setup/title_text.h"

#include "base/gdi_scope.h"
#include "base/unique_handle.h"
#include "dialog/face_name.h"

#include <cstring>

namespace kv {

namespace {

constexpr int kJapaneseIndex = 6;
// The face name as the backdrop has always stored it, byte for byte.
constexpr char kJapaneseTitleFace[] = "\xB2\xD3\xA9\xFA\xC5\xE9";

}  // namespace

TitleFont titleFontForLanguage(int languageIndex) {
    if (languageIndex == kJapaneseIndex) return {kJapaneseTitleFace, 30};
    return {"Times New Roman", 26};
}

bool drawTitleText(HDC dc, int x, int y, const char* text, const char* face, int width,
                   int height, COLORREF colour, int weight) {
    if (text == nullptr) text = "";
    ::SetBkMode(dc, TRANSPARENT);
    LOGFONTA description = {};
    description.lfHeight = height;
    description.lfWidth = width;
    description.lfWeight = weight;
    description.lfItalic = TRUE;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = ANTIALIASED_QUALITY;
    description.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    copyFaceName(description, face);
    UniqueFont font(::CreateFontIndirectA(&description));
    if (!font) return false;

    const SelectedObject selected(dc, font.get());
    const int length = static_cast<int>(std::strlen(text));
    SIZE extent = {};
    ::GetTextExtentPoint32A(dc, text, length, &extent);
    RECT box = {x, y, x + extent.cx, y + extent.cy};
    ::SetTextColor(dc, colour);
    ::DrawTextA(dc, text, length, &box, 0);
    return true;
}

}  // namespace kv
