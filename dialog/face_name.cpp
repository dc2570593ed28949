#include "dialog/face_name.h"

#include "dialog/data_exchange.h"

#include <cstring>

namespace kv {

void copyFaceName(LOGFONTA& font, const char* face) {
    if (face == nullptr) face = "";
    const std::size_t kept = characterBoundary(face, std::strlen(face), sizeof(font.lfFaceName) - 1);
    std::memcpy(font.lfFaceName, face, kept);
    font.lfFaceName[kept] = '\0';
}

}  // namespace kv
