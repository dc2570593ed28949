#include "base/win.h"
#include "core/install_state.h"
#include "core/language_table.h"

namespace kv {

void detectDefaultLanguage() {
    const int index = languageIndexForLangId(::GetSystemDefaultLangID());
    if (index >= 0) installState.languageIndex = index;
}

}  // namespace kv
