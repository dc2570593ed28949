#include "progress_steps_double.h"

#include "res/resource_ids.h"

#include <commctrl.h>

namespace kvtest {

ProgressRecorder recorder;

StepRecord observe(const char* name) {
    StepRecord record;
    record.name = name;
    record.tick = ::GetTickCount();
    record.thread = ::GetCurrentThreadId();
    HWND dialog = recorder.dialog;
    if (dialog == nullptr) dialog = ::GetActiveWindow();
    char text[256] = {};
    ::GetWindowTextA(dialog, text, sizeof(text));
    record.caption = text;
    HWND label = ::GetDlgItem(dialog, IDC_STATUS_LABEL);
    HWND progress = ::GetDlgItem(dialog, IDC_PROGRESS_BAR);
    record.labelVisible = ::IsWindowVisible(label) != FALSE;
    record.progressVisible = ::IsWindowVisible(progress) != FALSE;
    record.logOpen = kv::installState.uninstallLog.isOpen();
    HWND clip = ::GetDlgItem(dialog, IDC_COPY_ANIMATION);
    for (HWND w = label; w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT))
        if (w == clip) record.labelAboveClip = (::GetWindowLongA(clip, GWL_STYLE) & WS_CLIPSIBLINGS) != 0;
    if (record.thread == ::GetWindowThreadProcessId(dialog, nullptr)) {
        ::GetWindowTextA(label, text, sizeof(text));
        record.labelText = text;
        // The dialog attaches a LabelControl to its status label.
        if (auto* object = static_cast<kv::LabelControl*>(kv::Window::fromHandle(label))) {
            ::GetObjectA(object->font(), sizeof(record.labelFont), &record.labelFont);
            record.labelColour = object->textColor();
        }
        record.progressLow = static_cast<int>(::SendMessageA(progress, PBM_GETRANGE, TRUE, 0));
        record.progressHigh = static_cast<int>(::SendMessageA(progress, PBM_GETRANGE, FALSE, 0));
        record.progressPos = static_cast<int>(::SendMessageA(progress, PBM_GETPOS, 0, 0));
    }
    return record;
}

void recordProductRegistration() { recorder.steps.push_back(observe("product")); }
void recordShortcutCreation() { recorder.steps.push_back(observe("shortcuts")); }
void recordUninstallRegistration() { recorder.steps.push_back(observe("uninstall")); }

kv::InstallSteps recordingSteps(kv::InstallSteps::WorkerStart worker) {
    recorder.dialog = nullptr;
    recorder.steps.clear();
    recorder.worker = StepRecord{};
    recorder.workerStarted = 0;
    recorder.workerEnded = 0;
    kv::InstallSteps steps;
    steps.worker = worker;
    steps.productRegistration = &recordProductRegistration;
    steps.shortcutCreation = &recordShortcutCreation;
    steps.uninstallRegistration = &recordUninstallRegistration;
    return steps;
}

ProgressTexts::ProgressTexts() {
    kv::languageStrings.progressCopyText = kv::makeOwnedText("Copying files...");
    kv::languageStrings.progressRegistryText = kv::makeOwnedText("Writing registry entries...");
    kv::languageStrings.progressShortcutText = kv::makeOwnedText("Creating shortcuts...");
    kv::languageStrings.progressUninstallText = kv::makeOwnedText("Registering the uninstaller...");
}

ProgressTexts::~ProgressTexts() { kv::releaseLanguageStrings(); }

}  // namespace kvtest
