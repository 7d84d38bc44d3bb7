#include "editors/DialogModel.h"

#include "platform/Dpi.h"

#include <stdexcept>
#include <utility>

namespace vantrel {

ControlBox ScaledBox(const Control& control, int dpi) {
    const PixelRun across = ScaledRun(control.left, control.width, dpi);
    const PixelRun down = ScaledRun(control.top, control.height, dpi);
    return {across.start, down.start, control.width ? across.length : 0,
            control.height ? down.length : 0};
}

std::string CutToLimit(std::string text, unsigned limit) {
    if (limit && text.size() > limit)
        text.resize(limit);
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
    control.text = CutToLimit(text, control.maxLength);
}

void DialogModel::OnClick(const std::string&) {}

} // namespace vantrel
