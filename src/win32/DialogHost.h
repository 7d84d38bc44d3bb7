#pragma once
// Shows a DialogModel as a real modal dialog: controls created from the model's pixel
// layout, kept in step with the model both ways, the model's handlers run on every click.

#include "editors/DialogModel.h"
#include "win32/WinHeaders.h"

namespace vantrel::win32 {

ModalResult ShowDialogModal(HINSTANCE instance, HWND owner, DialogModel& model);

} // namespace vantrel::win32
