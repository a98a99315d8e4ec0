// COM for the user-interface thread, once for the whole run: the folder
// picker and the shell calls (opening the guide) need it, and a shell dialog
// leaves objects behind (its view, extensions of the Explorer) that must not
// lose their apartment when the dialog returns. The entry point holds one of
// these for the life of the program.
#pragma once

#include <objbase.h>

namespace vornel {

class ComApartment {
public:
    ComApartment()
        : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (initialised_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    // False when COM could not be started (the thread had another apartment).
    bool initialised() const { return initialised_; }

private:
    bool initialised_;
};

}  // namespace vornel
