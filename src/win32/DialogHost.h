#pragma once
// Shows a DialogModel as a real modal dialog: controls created from the model's pixel
// layout, kept in step with the model both ways, the model's handlers run on every click.

#include "editors/DialogModel.h"
#include "win32/WinHeaders.h"

namespace vantrel::win32 {

ModalResult ShowDialogModal(HINSTANCE instance, HWND owner, DialogModel& model);

// The window that shows the model while ShowDialogModal has it open, else null. Pickers
// opened from a dialog's button take it as their owner, so the dialog stays disabled under
// them, exactly as under any modal window it opens.
HWND WindowOfDialog(const DialogModel& model);

// The innermost open dialog while one of its model's handlers runs (a button of it opens
// another dialog over it), else null.
HWND ActingDialog();

} // namespace vantrel::win32
