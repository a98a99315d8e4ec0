// What a dialog's logic needs of its window: the "humble dialog" interface.
//
// The presenters of the parameter and result dialogs decide every text and
// state; the Win32 dialog procedures implement this interface with the
// dialog-item calls, and tests implement it as a map from control id to text.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace vornel {

class DialogFields {
public:
    virtual ~DialogFields() = default;

    // The dialog window itself, as owner of message boxes.
    virtual WindowRef window() = 0;

    // Text of control `id` (edit fields, static texts, group boxes), wide.
    virtual std::wstring text(int id) = 0;
    virtual void setText(int id, const std::wstring& text) = 0;

    // Check state of a check box or radio button.
    virtual bool isChecked(int id) = 0;
    virtual void setChecked(int id, bool checked) = 0;

    // Drop-down lists: replace the entries, select one, read the selection
    // (-1 when none) and the text of the selected entry.
    virtual void setListEntries(int id, const std::vector<std::wstring>& entries) = 0;
    virtual void selectListEntry(int id, int index) = 0;
    virtual int selectedListEntry(int id) = 0;
};

}  // namespace vornel
