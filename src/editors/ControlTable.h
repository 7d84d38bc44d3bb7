#pragma once
// Short builders for the rows of a dialog's layout table, so that each row reads like the
// layout itself: name, text, position and size in pixels, limits and state. A table lists
// the controls in the order they show, which is the order the keyboard takes them in.

#include "editors/DialogModel.h"

#include <string>

namespace vantrel {

// Left, top, width, height in pixels of the client area.
struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class Initially { Enabled, Disabled, Checked };

inline Control MakeControl(std::string name, ControlKind kind, std::string text, Box box) {
    Control control;
    control.name = std::move(name);
    control.kind = kind;
    control.text = std::move(text);
    control.left = box.left;
    control.top = box.top;
    control.width = box.width;
    control.height = box.height;
    return control;
}

inline Control WithState(Control control, Initially state) {
    control.enabled = state != Initially::Disabled;
    control.checked = state == Initially::Checked;
    return control;
}

// A label as wide and as high as its text.
inline Control LabelAt(std::string name, std::string text, int left, int top,
                       Initially state = Initially::Enabled) {
    return WithState(
        MakeControl(std::move(name), ControlKind::Label, std::move(text), {left, top, 0, 0}),
        state);
}

inline Control EditAt(std::string name, Box box, unsigned maxLength,
                      Initially state = Initially::Enabled) {
    Control control = MakeControl(std::move(name), ControlKind::Edit, "", box);
    control.maxLength = maxLength;
    return WithState(std::move(control), state);
}

inline Control HotKeyAt(std::string name, Box box) {
    return MakeControl(std::move(name), ControlKind::HotKey, "", box);
}

inline Control RadioAt(std::string name, std::string text, Box box,
                       Initially state = Initially::Enabled) {
    return WithState(MakeControl(std::move(name), ControlKind::RadioButton, std::move(text), box),
                     state);
}

inline Control CheckBoxAt(std::string name, std::string text, Box box) {
    return MakeControl(std::move(name), ControlKind::CheckBox, std::move(text), box);
}

inline Control ButtonAt(std::string name, std::string text, Box box) {
    return MakeControl(std::move(name), ControlKind::Button, std::move(text), box);
}

// A horizontal line.
inline Control BevelAt(std::string name, Box box) {
    return MakeControl(std::move(name), ControlKind::Bevel, "", box);
}

// The OK ("Ok", a white tick on a green disc) and Cancel (a red cross) buttons of every
// editor; Enter presses OK (unless the focus is on another button) and Esc Cancel.
constexpr int GlyphButtonWidth = 75;
constexpr int GlyphButtonHeight = 25;

inline Control GlyphButtonAt(std::string name, std::string text, Glyph glyph, Box box) {
    Control control = MakeControl(std::move(name), ControlKind::GlyphButton, std::move(text), box);
    control.glyph = glyph;
    return control;
}

inline Control OkButtonAt(int left, int top) {
    return GlyphButtonAt("BitBtn1", "Ok", Glyph::Ok,
                         {left, top, GlyphButtonWidth, GlyphButtonHeight});
}

inline Control CancelButtonAt(int left, int top) {
    return GlyphButtonAt("BitBtn2", "Cancel", Glyph::Cancel,
                         {left, top, GlyphButtonWidth, GlyphButtonHeight});
}

// What the configuration file keeps of a title and of every other text: the edit fields
// let the user type no more.
constexpr unsigned TitleLimit = 100;
constexpr unsigned PathLimit = 260;

} // namespace vantrel
