#include "editors/DialogModel.h"

#include "platform/Dpi.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace vantrel {

ControlBox ScaledBox(const Control& control, int dpi) {
    const PixelRun across = ScaledRun(control.left, control.width, dpi);
    const PixelRun down = ScaledRun(control.top, control.height, dpi);
    return {across.start, down.start, control.width ? across.length : 0,
            control.height ? down.length : 0};
}

std::vector<KeyboardPlace> KeyboardOrder(const std::vector<Control>& controls) {
    std::vector<KeyboardPlace> order;
    bool radiosPlaced = false;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].kind != ControlKind::RadioButton) {
            order.push_back({i, true});
            continue;
        }
        if (radiosPlaced)
            continue;
        radiosPlaced = true;
        for (std::size_t j = i; j < controls.size(); ++j)
            if (controls[j].kind == ControlKind::RadioButton)
                order.push_back({j, j == i});
    }
    return order;
}

bool TakesTab(const Control& control) {
    switch (control.kind) {
    case ControlKind::Edit:
    case ControlKind::HotKey:
    case ControlKind::Button:
    case ControlKind::GlyphButton:
    case ControlKind::CheckBox:
    case ControlKind::LinkLabel:
        return true;
    case ControlKind::RadioButton:
        return control.checked;
    default:
        return false;
    }
}

std::string CutToLimit(std::string text, unsigned limit, const LeadByteTable& leadBytes) {
    if (limit && text.size() > limit)
        text.resize(CharacterCut(text, limit, leadBytes));
    return text;
}

DialogModel::DialogModel(std::string caption, int clientWidth, int clientHeight,
                         std::vector<Control> controls)
    : caption_(std::move(caption)), clientWidth_(clientWidth), clientHeight_(clientHeight),
      controls_(std::move(controls)) {}

Control& DialogModel::operator[](const std::string& name) {
    for (Control& control : controls_)
        if (control.name == name)
            return control;
    throw std::out_of_range("dialog has no control " + name);
}

const Control& DialogModel::operator[](const std::string& name) const {
    return const_cast<DialogModel&>(*this)[name];
}

void DialogModel::SetChecked(const std::string& name, bool checked) {
    Control& control = (*this)[name];
    if (control.kind != ControlKind::RadioButton) {
        control.checked = checked;
        return;
    }
    if (!checked) {
        control.checked = false;
        return;
    }
    for (Control& other : controls_)
        if (other.kind == ControlKind::RadioButton)
            other.checked = &other == &control;
    OnClick(name);
}

void DialogModel::UserClick(const std::string& name) {
    Control& control = (*this)[name];
    if (!control.enabled || !control.visible)
        return;
    switch (control.kind) {
    case ControlKind::RadioButton: SetChecked(name, true); break;
    case ControlKind::CheckBox:
        control.checked = !control.checked;
        OnClick(name);
        break;
    default: OnClick(name); break;
    }
}

void DialogModel::UserType(const std::string& name, const std::string& text) {
    Control& control = (*this)[name];
    if (!control.enabled || control.kind != ControlKind::Edit)
        return;
    // The edit box itself never splits a character; what tests type here is single-byte.
    control.text = CutToLimit(text, control.maxLength, NoLeadBytes);
}

void DialogModel::UserEnter(const std::string& focused) {
    const auto it = std::find_if(controls_.begin(), controls_.end(),
                                 [&](const Control& c) { return c.name == focused; });
    const bool pressable = it != controls_.end() && (it->kind == ControlKind::Button ||
                                                     it->kind == ControlKind::GlyphButton ||
                                                     it->kind == ControlKind::LinkLabel);
    if (pressable)
        UserClick(focused);
    else if (const Control* ok = GlyphButton(Glyph::Ok))
        UserClick(ok->name);
}

void DialogModel::UserEscape() {
    if (const Control* cancel = GlyphButton(Glyph::Cancel))
        UserClick(cancel->name);
    else
        UserClose();
}

std::string DialogModel::StartControl() const {
    for (const Control& control : controls_)
        if ((control.kind == ControlKind::Edit || control.kind == ControlKind::HotKey) &&
            control.enabled && control.visible)
            return control.name;
    const Control* ok = GlyphButton(Glyph::Ok);
    return ok ? ok->name : std::string();
}

const Control* DialogModel::GlyphButton(Glyph glyph) const {
    for (const Control& control : controls_)
        if (control.kind == ControlKind::GlyphButton && control.glyph == glyph)
            return &control;
    return nullptr;
}

void DialogModel::OnClick(const std::string&) {}

} // namespace vantrel
