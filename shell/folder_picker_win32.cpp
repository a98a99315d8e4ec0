#include "shell/folder_picker_win32.h"

#include <objbase.h>
#include <shobjidl.h>

namespace vornel {

namespace {

// Releases a COM interface pointer on every path.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const { return p_; }
    T** put() { return &p_; }
    void** putVoid() { return reinterpret_cast<void**>(&p_); }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

}  // namespace

// COM is the user-interface thread's for the whole run (com_apartment_win32.h).
bool pickFolder(HWND owner, std::wstring& folder) {
    ComRef<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                dialog.putVoid())))
        return false;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM);
    if (FAILED(dialog->Show(owner))) return false;  // cancelled
    ComRef<IShellItem> item;
    if (FAILED(dialog->GetResult(item.put()))) return false;
    wchar_t* path = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) || !path) return false;
    folder = path;
    CoTaskMemFree(path);
    return true;
}

}  // namespace vornel
