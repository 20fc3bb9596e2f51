#include "completion.h"

#include <algorithm>

namespace {

constexpr char kEscape = 0x1B;

EditField Clamped(const EditField& field) {
    EditField f = field;
    f.selEnd = std::min(f.selEnd, f.text.size());
    f.selStart = std::min(f.selStart, f.selEnd);
    return f;
}

// Removes the selection, or the one byte before the caret: a byte, not a
// character, so half of a double-byte character can go.
KeyOutcome Backspace(const EditField& f) {
    KeyOutcome out;
    out.consumed = true;
    size_t from = f.selStart < f.selEnd ? f.selStart : (f.selStart > 0 ? f.selStart - 1 : 0);
    size_t to = f.selStart < f.selEnd ? f.selEnd : f.selStart;
    if (from == to) return out;
    out.replaceEdit = true;
    out.edit.text = f.text.substr(0, from) + f.text.substr(to);
    out.edit.selStart = out.edit.selEnd = from;
    return out;
}

}  // namespace

KeyOutcome CompleteKey(const EditField& field, char key, const PrefixSearch& search) {
    EditField f = Clamped(field);
    if (key == kEscape) return {};
    if (key == kBackspace) return Backspace(f);
    KeyOutcome out;
    out.dropDown = true;
    if (key == 0) {
        out.consumed = true;
        return out;
    }
    // The selection is the completed rest of an entry; typing replaces it,
    // so it takes no part in the search.
    std::string typed = f.selStart < f.selEnd ? f.text.substr(0, f.selStart) : f.text;
    typed += key;
    std::string entry;
    int index = search(typed, entry);
    if (index < 0) return out;
    out.consumed = true;
    out.replaceEdit = true;
    out.entry = index;
    out.edit.text = typed + (entry.size() > typed.size() ? entry.substr(typed.size()) : "");
    out.edit.selStart = typed.size();
    out.edit.selEnd = out.edit.text.size();
    return out;
}
