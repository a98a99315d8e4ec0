#include "shell/window_context_win32.h"

namespace vornel {

namespace {

HINSTANCE instanceHandle = nullptr;
HFONT sidePanelFont = nullptr;
DialogHooks hooks;

}  // namespace

HINSTANCE appInstance() {
    return instanceHandle;
}

void setAppInstance(HINSTANCE instance) {
    instanceHandle = instance;
}

HFONT uiFont() {
    return sidePanelFont;
}

void setUiFont(HFONT font) {
    sidePanelFont = font;
}

DialogHooks& dialogHooks() {
    return hooks;
}

}  // namespace vornel
