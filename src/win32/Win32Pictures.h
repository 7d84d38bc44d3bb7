#pragma once
// The reading thread's side of the rows' pictures (shell32): each thread that asks the shell
// needs COM of its own, which the reading thread starts itself.
//
// File-system redirection stays on for the shell: it may load icon handlers and the DLLs they
// load late, and with redirection off a 32-bit process asking for a DLL by its System32 path
// gets the 64-bit file, a failure that stays with the process. The real system directory is
// reached through its Sysnative alias instead.

#include "platform/PictureApi.h"

#include <string>

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
    // The source with the real system directory's files named through Sysnative, each
    // followed by the file redirection shows (the 32-bit counterpart): the picture of the
    // first that has one.
    PictureSource ThroughSysnative(const PictureSource& source) const;

    // UTF-8; empty outside WOW64, where the system directory is the real one.
    std::string systemDirectory_;
};

} // namespace vantrel::win32
