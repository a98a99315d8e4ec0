#include "estimation/dialog_fields_win32.h"

namespace vornel {

std::wstring Win32DialogFields::text(int id) {
    HWND item = dialog_ ? GetDlgItem(dialog_, id) : nullptr;
    if (!item) return std::wstring();
    // The text of a drop-down list is its selected entry.
    const int length = GetWindowTextLengthW(item);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(item, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void Win32DialogFields::setText(int id, const std::wstring& text) {
    if (dialog_) SetDlgItemTextW(dialog_, id, text.c_str());
}

bool Win32DialogFields::isChecked(int id) {
    return dialog_ && IsDlgButtonChecked(dialog_, id) == BST_CHECKED;
}

void Win32DialogFields::setChecked(int id, bool checked) {
    if (dialog_) CheckDlgButton(dialog_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Win32DialogFields::setListEntries(int id, const std::vector<std::wstring>& entries) {
    if (!dialog_) return;
    SendDlgItemMessageW(dialog_, id, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& entry : entries)
        SendDlgItemMessageW(dialog_, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

void Win32DialogFields::selectListEntry(int id, int index) {
    if (dialog_) SendDlgItemMessageW(dialog_, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Win32DialogFields::selectedListEntry(int id) {
    if (!dialog_) return -1;
    const LRESULT index = SendDlgItemMessageW(dialog_, id, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

}  // namespace vornel
