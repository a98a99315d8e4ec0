// DialogFields over the items of a Win32 dialog.
#pragma once

#include <windows.h>

#include "estimation/dialog_fields.h"

namespace vornel {

class Win32DialogFields : public DialogFields {
public:
    // `dialog` may be null: every text then reads empty and writes go nowhere.
    explicit Win32DialogFields(HWND dialog) : dialog_(dialog) {}

    WindowRef window() override { return dialog_; }
    std::wstring text(int id) override;
    void setText(int id, const std::wstring& text) override;
    bool isChecked(int id) override;
    void setChecked(int id, bool checked) override;
    void setListEntries(int id, const std::vector<std::wstring>& entries) override;
    void selectListEntry(int id, int index) override;
    int selectedListEntry(int id) override;

private:
    HWND dialog_;
};

}  // namespace vornel
