// The gallery measures every text a user can see: each key its screens name
// is one the engine reads, and every text the engine reads is shown on some
// screen (but the four that are no control's text).
#include "common/language_strings.h"
#include "screen_texts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::string nameOf(const kv::LanguageKey& key) { return std::string("[") + key.section + "] " + key.key; }

TEST(GalleryScreenTexts, CoverEveryTextTheEngineReads) {
    int count = 0;
    const kv::LanguageKey* keys = kv::languageKeys(count);
    std::set<std::string> engine;
    for (int i = 0; i < count; ++i) engine.insert(nameOf(keys[i]));

    std::set<std::string> shown;
    for (int screen = 0; screen < kvgallery::kScreenCount; ++screen) {
        for (int id = 0; id < 2000; ++id) {
            for (const char* key : {kvgallery::textKeyOf(static_cast<kvgallery::Screen>(screen), id),
                                    kvgallery::frameTextKeyOf(static_cast<kvgallery::Screen>(screen), id)}) {
                if (key == nullptr) continue;
                EXPECT_TRUE(engine.count(key)) << key << " on screen " << screen << " is not read by the engine";
                shown.insert(key);
            }
        }
    }
    // Window captions, the backdrop's title, the shortcut-name argument and
    // the progress dialog's status texts (measured apart) are no page control's text.
    for (const char* apart : {"[MSG] 10", "[MSG] 11", "[MSG] 12", "[MSG] 20", "[MSG] 301", "[MSG] 302",
                              "[MSG] 304", "[MSG] 306"})
        shown.insert(apart);
    for (const std::string& key : engine) EXPECT_TRUE(shown.count(key)) << key << " is on no screen";
}

}  // namespace
