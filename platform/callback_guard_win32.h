// The system calls the program back: window and dialog procedures, hooks and
// subclass procedures. An exception that left one would cross the system's
// own code, which cannot pass it on: the program would end on the spot,
// without a word and with the user's case. Each callback therefore runs its
// body through guardCallback, which turns an exception into a box and the
// callback's fallback result; the program goes on with what it had.
#pragma once

#include <exception>

namespace vornel {

// Shows the box of an exception caught at a callback (`what` may be null):
// one at a time, owned by the active window, all windows disabled meanwhile.
void reportCallbackFault(const char* what) noexcept;

// Runs `body`; on an exception reports it and returns `fallback()`.
template <typename Body, typename Fallback>
auto guardCallback(Body&& body, Fallback&& fallback) noexcept -> decltype(body()) {
    try {
        return body();
    } catch (const std::exception& e) {
        reportCallbackFault(e.what());
    } catch (...) {
        reportCallbackFault(nullptr);
    }
    try {
        return fallback();
    } catch (...) {
        return decltype(body()){};
    }
}

}  // namespace vornel
