#include "base/win.h"
#include "common/language_table.h"

namespace kv {

int detectDefaultLanguage(int currentIndex) {
    const int index = languageIndexForLangId(::GetSystemDefaultLangID());
    return index >= 0 ? index : currentIndex;
}

}  // namespace kv
