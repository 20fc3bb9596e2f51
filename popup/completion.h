// What the popup's combo box does with a typed character once HandleKey has
// seen it: completion from the list's entries, Backspace, and the list
// dropping down. Kept apart from the window so it can be checked anywhere.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

// The edit field of the combo box: its text and selection, in bytes.
struct EditField {
    std::string text;
    size_t selStart = 0;
    size_t selEnd = 0;
};

struct KeyOutcome {
    bool consumed = false;  // the edit field must not see the key
    bool dropDown = false;  // open the list if it is closed
    bool replaceEdit = false;
    EditField edit;         // the new text and selection, when replaceEdit
    int entry = -1;         // the list entry made current, or -1
};

// The list's own prefix search: the index of the first entry, from the top,
// that begins with prefix regardless of case, with its text in entry; -1 when
// there is none.
using PrefixSearch = std::function<int(const std::string& prefix, std::string& entry)>;

constexpr char kBackspace = 0x08;

// The combo box's handling of key, typed into field. A key that HandleKey
// swallowed comes as 0: it only opens the list.
KeyOutcome CompleteKey(const EditField& field, char key, const PrefixSearch& search);
