// The one application object of the module. Its main window, set by the
// setup run for as long as the main window runs, owns every dialog that is
// created without an explicit parent.
#pragma once
#include "dialog/window.h"

namespace kv {

class Application {
public:
    Window* mainWindow() const { return mainWindow_; }
    void setMainWindow(Window* window) { mainWindow_ = window; }
    // The main window's handle, or null while there is none.
    HWND mainWindowHandle() const { return mainWindow_ ? mainWindow_->handle() : nullptr; }

private:
    Window* mainWindow_ = nullptr;
};

// The module's one application object.
extern Application application;

// Makes `window` the main window until the scope ends, then restores the previous one.
class MainWindowScope {
public:
    explicit MainWindowScope(Window& window) : previous_(application.mainWindow()) {
        application.setMainWindow(&window);
    }
    ~MainWindowScope() { application.setMainWindow(previous_); }
    MainWindowScope(const MainWindowScope&) = delete;
    MainWindowScope& operator=(const MainWindowScope&) = delete;

private:
    Window* previous_;
};

}  // namespace kv
