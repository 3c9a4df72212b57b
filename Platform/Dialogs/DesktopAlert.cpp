#include "DesktopAlert.h"

// Only SDL's types and prototypes: nothing of SDL is linked, it is loaded with
// dlopen when the first alert is shown.
#include <SDL.h>

#include <cstdlib>
#include <dlfcn.h>

namespace {

const char* const kSDLLibrary = "libSDL2-2.0.so.0";
const char* const kDisplayVariables[] = {"DISPLAY", "WAYLAND_DISPLAY"};

struct SDLFunctions {
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_ShowMessageBox) ShowMessageBox;
};

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

/// SDL's functions, or null when SDL is not installed. Loaded on the first call
/// and kept for the rest of the process.
const SDLFunctions* LoadSDL() {
    static const SDLFunctions* loaded = []() -> const SDLFunctions* {
        void* library = dlopen(kSDLLibrary, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            return nullptr;
        }
        static SDLFunctions sdl;
        if (!Find(library, "SDL_InitSubSystem", sdl.InitSubSystem) ||
            !Find(library, "SDL_QuitSubSystem", sdl.QuitSubSystem) ||
            !Find(library, "SDL_ShowMessageBox", sdl.ShowMessageBox)) {
            dlclose(library);
            return nullptr;
        }
        return &sdl;
    }();
    return loaded;
}

bool DisplayNamed() {
    for (const char* variable : kDisplayVariables) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != 0) {
            return true;
        }
    }
    return false;
}

Uint32 IconOf(AlertType alertType) {
    switch (alertType) {
    case kAlertStopAlert:
        return SDL_MESSAGEBOX_ERROR;
    case kAlertCautionAlert:
        return SDL_MESSAGEBOX_WARNING;
    case kAlertNoteAlert:
        return SDL_MESSAGEBOX_INFORMATION;
    default:
        return 0;
    }
}

/// The window's title is the message, but with no window manager there is no
/// frame to show it in, so the message also heads the text.
std::string TextOf(const AlertContent& alert) {
    if (alert.message.empty() || alert.detail.empty()) {
        return alert.message + alert.detail;
    }
    return alert.message + "\n\n" + alert.detail;
}

} // namespace

bool DesktopAlertAvailable() {
    if (!DisplayNamed()) {
        return false;
    }
    const SDLFunctions* sdl = LoadSDL();
    if (sdl == nullptr || sdl->InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return false;
    }
    // The message box needs no video subsystem of its own; this only proved
    // that the display can be reached.
    sdl->QuitSubSystem(SDL_INIT_VIDEO);
    return true;
}

OSErr PresentDesktopAlert(const AlertContent& alert, DialogItemIndex& itemHit) {
    const SDLFunctions* sdl = LoadSDL();
    if (sdl == nullptr) {
        return ioErr;
    }
    std::vector<SDL_MessageBoxButtonData> buttons;
    for (std::size_t i = 0; i < alert.buttons.size(); ++i) {
        Uint32 keys = 0;
        if (static_cast<int>(i) == alert.defaultIndex) {
            keys |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        }
        if (static_cast<int>(i) == alert.cancelIndex) {
            keys |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        }
        buttons.push_back({keys, alert.buttons[i].item, alert.buttons[i].title.c_str()});
    }
    std::string text = TextOf(alert);
    // The buttons come in item order (OK, cancel, other, help); placed right to
    // left they stand where the Mac puts them, OK at the right.
    SDL_MessageBoxData box{IconOf(alert.alertType) | SDL_MESSAGEBOX_BUTTONS_RIGHT_TO_LEFT,
                           nullptr,
                           alert.message.c_str(),
                           text.c_str(),
                           static_cast<int>(buttons.size()),
                           buttons.data(),
                           nullptr};
    int pressed = -1;
    if (sdl->ShowMessageBox(&box, &pressed) != 0) {
        return ioErr;
    }
    // Closing the window without a button, where a window manager allows it,
    // counts as the cancel button.
    if (pressed < 0) {
        if (alert.cancelIndex < 0) {
            return userCanceledErr;
        }
        pressed = alert.buttons[alert.cancelIndex].item;
    }
    itemHit = static_cast<DialogItemIndex>(pressed);
    return noErr;
}
