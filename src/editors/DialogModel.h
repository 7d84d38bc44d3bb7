#pragma once
// A dialog as plain data: its controls with their pixel layout, texts and states, and the
// handlers that react to clicks. The behaviour of every dialog lives here and is tested
// natively; the Windows edge only builds real controls from the table and keeps them and
// the model in step.

#include "platform/CodePageApi.h"

#include <string>
#include <vector>

namespace vantrel {

// A hot-key field shows and takes a shortcut of Ctrl, Alt, Shift and a key (the Windows key
// is not among what it takes); its text is that shortcut's text form, empty for none.
enum class ControlKind {
    Label,
    Edit,
    HotKey,
    Button,
    GlyphButton,
    RadioButton,
    CheckBox,
    Bevel,
    LinkLabel,
    Picture
};
enum class Glyph { None, Ok, Cancel };
enum class ModalResult { None, Ok, Cancel };
enum class DialogBackground { Standard, White };

struct Control {
    std::string name;
    ControlKind kind = ControlKind::Label;
    std::string text;
    int left = 0;
    int top = 0;
    int width = 0;  // 0 for a label: as wide as its text
    int height = 0; // 0 for a label: as high as its text
    unsigned maxLength = 0; // edit fields: characters the user can type; 0 = no limit
    bool enabled = true;
    bool checked = false;
    bool visible = true;
    Glyph glyph = Glyph::None;
};

// Where a control shows on a dialog drawn at `dpi`. The layout holds 96-DPI pixels; both
// edges of a box are scaled, so boxes that met still meet and a column stays straight. A size
// of 0 stays 0: the host measures the text in the font of that DPI.
struct ControlBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
ControlBox ScaledBox(const Control& control, int dpi);

// The keyboard in a dialog. A layout lists its controls in the order they show: top to
// bottom, left to right, each label right before the control it names (a screen reader names
// an edit box after the label made before it). Tab walks the controls that take it in that
// order; the radio buttons are one stop, at the checked one, and the arrow keys move within
// them. Every other control is a group of its own, so the arrows never walk into a label.
struct KeyboardPlace {
    std::size_t control = 0; // index into the layout
    bool groupStart = false;
};
// The order the host makes the controls in: the layout's, the radio buttons all together at
// the first one's place.
std::vector<KeyboardPlace> KeyboardOrder(const std::vector<Control>& controls);
// Whether Tab stops at the control now: edit boxes, hot-key fields, buttons, check boxes,
// links, and the checked radio button.
bool TakesTab(const Control& control);
// A text as an edit field with that limit keeps it: cut to `limit` bytes, before a two-byte
// character that would not fit whole; 0 means no limit.
std::string CutToLimit(std::string text, unsigned limit, const LeadByteTable& leadBytes);

class DialogModel {
public:
    DialogModel(std::string caption, int clientWidth, int clientHeight,
                 std::vector<Control> controls);
    virtual ~DialogModel() = default;
    DialogModel(const DialogModel&) = delete;
    DialogModel& operator=(const DialogModel&) = delete;

    const std::string& Caption() const { return caption_; }
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    std::vector<Control>& Controls() { return controls_; }
    const std::vector<Control>& Controls() const { return controls_; }
    DialogBackground Background() const { return background_; }
    static constexpr const char* FontName = "Tahoma";
    static constexpr int FontPoints = 8;

    // Throws std::out_of_range for a name the dialog does not have.
    Control& operator[](const std::string& name);
    const Control& operator[](const std::string& name) const;

    const std::string& Text(const std::string& name) const { return (*this)[name].text; }
    // Programmatic texts are kept whole; the limit bounds only what the user types.
    void SetText(const std::string& name, const std::string& text) { (*this)[name].text = text; }
    bool Checked(const std::string& name) const { return (*this)[name].checked; }
    // Checking a radio button unchecks the dialog's other radio buttons and has the same
    // effect as the user clicking it; a check box just takes the state.
    void SetChecked(const std::string& name, bool checked);
    void SetEnabled(const std::string& name, bool enabled) { (*this)[name].enabled = enabled; }
    bool Enabled(const std::string& name) const { return (*this)[name].enabled; }

    // The user clicked a button, radio button, check box or link label.
    void UserClick(const std::string& name);
    // The user typed into an edit field: the text is cut to the field's limit.
    void UserType(const std::string& name, const std::string& text);
    // The window's close box.
    void UserClose() { Close(ModalResult::Cancel); }
    // Enter, with the focus on the named control: a button or link there is pressed, else
    // the OK button.
    void UserEnter(const std::string& focused);
    // Esc: the Cancel button when there is one, else the close box.
    void UserEscape();
    // Where the keyboard starts: the first edit box or hot-key field that takes input, else
    // OK; empty for the first control that takes Tab.
    std::string StartControl() const;

    ModalResult Result() const { return result_; }
    // Called by whoever shows the dialog, before every showing.
    void BeginModal() { result_ = ModalResult::None; }

protected:
    // What a click on a control does; the default does nothing.
    virtual void OnClick(const std::string& name);
    void Close(ModalResult result) { result_ = result; }
    void SetBackground(DialogBackground background) { background_ = background; }

private:
    // The glyph button showing that glyph; null when none.
    const Control* GlyphButton(Glyph glyph) const;

    std::string caption_;
    int clientWidth_;
    int clientHeight_;
    std::vector<Control> controls_;
    ModalResult result_ = ModalResult::None;
    DialogBackground background_ = DialogBackground::Standard;
};

} // namespace vantrel
