// A dialog for tests of the dialog logic: every control is an entry of a map
// from control id to its text, check state or list. Writes are also logged in
// order, so a test can tell "not written" from "written with the same text".
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "estimation/dialog_fields.h"

namespace vornel {

class FakeDialogFields : public DialogFields {
public:
    WindowRef handle = reinterpret_cast<WindowRef>(static_cast<std::uintptr_t>(0xD1A1));
    std::map<int, std::wstring> texts;
    std::map<int, bool> checks;
    std::map<int, std::vector<std::wstring>> lists;
    std::map<int, int> selections;
    std::vector<int> textWrites;  // ids of setText calls, in order

    WindowRef window() override { return handle; }

    std::wstring text(int id) override {
        const auto it = texts.find(id);
        return it == texts.end() ? std::wstring() : it->second;
    }
    void setText(int id, const std::wstring& text) override {
        texts[id] = text;
        textWrites.push_back(id);
    }

    bool isChecked(int id) override { return checks.count(id) && checks[id]; }
    void setChecked(int id, bool checked) override { checks[id] = checked; }

    void setListEntries(int id, const std::vector<std::wstring>& entries) override {
        lists[id] = entries;
        selections[id] = -1;
    }
    void selectListEntry(int id, int index) override {
        const auto it = lists.find(id);
        const int count = it == lists.end() ? 0 : static_cast<int>(it->second.size());
        selections[id] = (index >= 0 && index < count) ? index : -1;
    }
    int selectedListEntry(int id) override {
        const auto it = selections.find(id);
        return it == selections.end() ? -1 : it->second;
    }

    bool wasWritten(int id) const {
        for (int written : textWrites)
            if (written == id) return true;
        return false;
    }
};

}  // namespace vornel
