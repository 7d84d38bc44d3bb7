#pragma once
// Logical drives (kernel32) and drive icons looked up away from the GUI thread: the shell
// can take as long as a network time-out to answer for a letter mapped to a share that
// does not respond, and the menu must not wait for it.

#include "platform/DrivesApi.h"
#include "win32/WinHeaders.h"

#include <map>
#include <memory>

namespace vantrel::win32 {

class Win32Drives final : public DrivesApi {
  public:
    // Construct on the GUI thread: answers come back through a window of that thread.
    Win32Drives();
    ~Win32Drives() override;
    Win32Drives(const Win32Drives&) = delete;
    Win32Drives& operator=(const Win32Drives&) = delete;

    std::uint32_t LogicalDrives() override;
    DriveType TypeOfDrive(const std::string& root) override;
    bool RequestIconInBackground(const std::string& path, int side, IconDone done) override;

    // Lookups started and not yet answered on the GUI thread, for tests.
    std::size_t Waiting() const { return waiting_.size(); }

    static constexpr UINT IconReadyMessage = WM_APP + 2;

    struct Mailbox; // shared with the lookup threads, which may outlive this object

  private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    void DeliverFinished();

    std::shared_ptr<Mailbox> mailbox_;
    std::map<unsigned, IconDone> waiting_; // GUI thread only
    unsigned nextId_ = 0;
    HWND window_ = nullptr;
};

} // namespace vantrel::win32
