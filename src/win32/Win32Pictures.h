#pragma once
// The reading thread's side of the rows' pictures (shell32): each thread that asks the shell
// needs COM of its own, and file-system redirection is a setting of each thread, so the
// reading thread sets both itself.

#include "platform/PictureApi.h"
#include "platform/ProcessFacts.h"
#include "win32/Win32Process.h"

namespace vantrel::win32 {

class Win32PictureReader final : public PictureReaderApi {
  public:
    // One for the whole process and never destroyed: a read left behind at exit may still be
    // running in it.
    static Win32PictureReader& ForProcess();

    void BeginThread() override;
    void EndThread() override;
    std::optional<RawIcon> Read(const PictureSource& source, bool urgent) override;

  private:
    Win32PictureReader();

    Win32Process process_; // the redirection entry points, looked up once
    ProcessFacts facts_;   // probed once; every read brackets with a copy of its own
};

} // namespace vantrel::win32
