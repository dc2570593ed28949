#include "screen_texts.h"

namespace kvgallery {
namespace {

struct ControlText {
    Screen screen;
    int id;
    const char* key;
};

const ControlText kTexts[] = {
    {kLanguagePage, 1000, "[MSG] 13"},
    {kWelcomePage, 1000, "[DLG] P1T"},        {kWelcomePage, 1003, "[DLG] P11"},
    {kWelcomePage, 1005, "[DLG] P12"},        {kWelcomePage, 1006, "[DLG] P13"},
    {kWelcomePage, 1007, "[DLG] P14"},        {kWelcomePage, 1008, "[DLG] P15"},
    {kWelcomePage, 1009, "[DLG] P16"},
    {kSetupTypePage, 1000, "[DLG] P7T"},      {kSetupTypePage, 1003, "[DLG] P71"},
    {kSetupTypePage, 1004, "[DLG] ROLLER3"},  {kSetupTypePage, 1005, "[DLG] ROLLER5"},
    {kDestinationPage, 1000, "[DLG] P3T"},    {kDestinationPage, 1003, "[DLG] P31"},
    {kDestinationPage, 1005, "[DLG] P32"},    {kDestinationPage, 1008, "[DLG] P33"},
    {kDestinationPage, 1019, "[MSG] 8"},
    {kProgramFolderPage, 1000, "[DLG] P4T"},  {kProgramFolderPage, 1003, "[DLG] P41"},
    {kProgramFolderPage, 1005, "[DLG] P42"},  {kProgramFolderPage, 1006, "[DLG] P43"},
    {kInformationPage, 1000, "[DLG] P5T"},    {kInformationPage, 1003, "[DLG] P51"},
    {kFinishPage, 1000, "[DLG] PFT"},         {kFinishPage, 1003, "[DLG] PF1"},
    {kFinishPage, 1006, "[DLG] PF2"},         {kFinishPage, 1016, "[DLG] PF4"},
    {kFinishPage, 1020, "[DLG] PF5"},
    {kFinishStoppedPage, 1000, "[DLG] PFS"},  {kFinishStoppedPage, 1003, "[DLG] PF6"},
    {kFinishStoppedPage, 1006, "[DLG] PF7"},
    {kExitConfirm, 1000, "[MSG] 23"},         {kExitConfirm, 1001, "[MSG] 24"},
    {kExitConfirm, 1002, "[MSG] 25"},         {kExitConfirm, 1, "[MSG] 21"},
    {kExitConfirm, 2, "[MSG] 22"},
};

const char* const kNames[kScreenCount] = {"language", "welcome", "setup-type", "destination", "program-folder",
                                          "information", "finish", "finish-stopped", "exit-confirm", "progress",
                                          "uninstall-question", "uninstall-progress", "uninstall-message"};

}  // namespace

const char* screenName(Screen screen) {
    return screen >= 0 && screen < kScreenCount ? kNames[screen] : "?";
}

const char* frameTextKeyOf(Screen screen, int id) {
    if (screen > kFinishStoppedPage) return nullptr;
    if (id == 1001) return "[MSG] 1";
    if (id == 1002) return "[MSG] 2";
    if (id == 1010) return screen >= kFinishPage ? "[MSG] 7" : "[MSG] 4";
    return nullptr;
}

const char* textKeyOf(Screen screen, int id) {
    for (const ControlText& text : kTexts)
        if (text.screen == screen && text.id == id) return text.key;
    return nullptr;
}

}  // namespace kvgallery
