// Which language-file text each control of each screen shows, so that a
// text that does not fit can be traced back to its key.
#pragma once

namespace kvgallery {

// The screens a user can see, in gallery order: the seven wizard pages (in
// the frame's page order), the finish page after a stopped install, then the exit confirmation and the progress
// dialog, then the uninstaller's question, progress window and last message.
enum Screen { kLanguagePage, kWelcomePage, kSetupTypePage, kDestinationPage, kProgramFolderPage,
              kInformationPage, kFinishPage, kFinishStoppedPage, kExitConfirm, kProgress, kUninstallQuestion, kUninstallProgress,
              kUninstallMessage, kScreenCount };

const char* screenName(Screen screen);  // "welcome", "exit-confirm", ...

// "[DLG] P31" for the control `id` of a screen's own window, or null when
// the control shows no language-file text.
const char* textKeyOf(Screen screen, int id);

// The same for the wizard frame's buttons (1001, 1002, 1010) while it shows
// the page `screen`.
const char* frameTextKeyOf(Screen screen, int id);

}  // namespace kvgallery
