#pragma once
// Short builders for the rows of a dialog's layout table, so that each row reads like the
// layout itself: name, text, position and size in pixels, tab position, limits and state.

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

constexpr int NoTab = -1;
enum class Initially { Enabled, Disabled, Checked };

inline Control MakeControl(std::string name, ControlKind kind, std::string text, Box box,
                           int tab) {
    Control control;
    control.name = std::move(name);
    control.kind = kind;
    control.text = std::move(text);
    control.left = box.left;
    control.top = box.top;
    control.width = box.width;
    control.height = box.height;
    control.tabOrder = tab;
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
    return WithState(MakeControl(std::move(name), ControlKind::Label, std::move(text),
                                 {left, top, 0, 0}, NoTab),
                     state);
}

inline Control EditAt(std::string name, Box box, int tab, unsigned maxLength,
                      Initially state = Initially::Enabled) {
    Control control = MakeControl(std::move(name), ControlKind::Edit, "", box, tab);
    control.maxLength = maxLength;
    return WithState(std::move(control), state);
}

inline Control RadioAt(std::string name, std::string text, Box box, int tab,
                       Initially state = Initially::Enabled) {
    return WithState(
        MakeControl(std::move(name), ControlKind::RadioButton, std::move(text), box, tab), state);
}

inline Control CheckBoxAt(std::string name, std::string text, Box box, int tab) {
    return MakeControl(std::move(name), ControlKind::CheckBox, std::move(text), box, tab);
}

inline Control ButtonAt(std::string name, std::string text, Box box, int tab) {
    return MakeControl(std::move(name), ControlKind::Button, std::move(text), box, tab);
}

// A horizontal line.
inline Control BevelAt(std::string name, Box box) {
    return MakeControl(std::move(name), ControlKind::Bevel, "", box, NoTab);
}

// The OK ("Ok", a white tick on a green disc) and Cancel (a red cross) buttons of every
// editor; they are deliberately bound to neither Enter nor Esc.
constexpr int GlyphButtonWidth = 75;
constexpr int GlyphButtonHeight = 25;

inline Control OkButtonAt(int left, int top, int tab) {
    Control control = MakeControl("BitBtn1", ControlKind::GlyphButton, "Ok",
                                  {left, top, GlyphButtonWidth, GlyphButtonHeight}, tab);
    control.glyph = Glyph::Ok;
    return control;
}

inline Control CancelButtonAt(int left, int top, int tab) {
    Control control = MakeControl("BitBtn2", ControlKind::GlyphButton, "Cancel",
                                  {left, top, GlyphButtonWidth, GlyphButtonHeight}, tab);
    control.glyph = Glyph::Cancel;
    return control;
}

// What the configuration file keeps of a title and of every other text: the edit fields
// let the user type no more.
constexpr unsigned TitleLimit = 100;
constexpr unsigned PathLimit = 260;

} // namespace vantrel
