#pragma once
// The rows' own pictures (the shell's small icons of their targets), read away from the
// user-interface thread: at logon the disks are busy, and a menu must never wait for them.
// The user-interface thread hands out plain requests and takes the answers back; nothing on
// the reading side ever sees the menus or the entries.

#include "platform/CodePageApi.h"
#include "platform/IconApi.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

// WM_USER + 12: posted to the main form when answers are waiting (see PicturesApi).
constexpr std::uint32_t PicturesReadyMessage = 0x040C;

constexpr int NoSpecialFolder = -1;

// Where one picture comes from.
struct PictureSource {
    // Tried in order; the first that has a picture gives it. Empty for a special folder.
    std::vector<std::string> paths;
    TextEncoding encoding = TextEncoding::Ansi;
    int specialFolder = NoSpecialFolder; // a CSIDL, read through the folder's location
    // Paths in the system directory name the real one, as the program starts them: a 32-bit
    // process on 64-bit Windows reads them through the alias Sysnative.
    bool realSystemDirectory = false;
    int side = IconSide; // the picture's side in pixels: the menus' picture slot
};

// The blocking read, called only on the one reading thread.
class PictureReaderApi {
  public:
    virtual ~PictureReaderApi() = default;
    // What the shell needs on every thread that asks it for icons (COM), before the first
    // read and after the last (not at all when nothing was read).
    virtual void BeginThread() = 0;
    virtual void EndThread() = 0;
    // The picture of the first source path (or of the folder) that has one. An urgent read is
    // one a menu waits for; any other runs at the lowest priority, for the processor and the
    // disk alike.
    virtual std::optional<RawIcon> Read(const PictureSource& source, bool urgent) = 0;
};

using PictureTicket = std::uint32_t;

struct PictureAnswer {
    PictureTicket ticket = 0;
    std::optional<RawIcon> icon; // empty when the shell had no picture
};

// The reading thread as the user-interface thread sees it. Every call is made on that thread.
class PicturesApi {
  public:
    virtual ~PicturesApi() = default;
    // Queues one read. When its answer is ready, PicturesReadyMessage is posted to the main
    // form (once for all the answers waiting). False when nothing can be read (no thread could
    // be started, reading has stopped, or no memory is left for the request): no answer will
    // come.
    virtual bool Submit(PictureTicket ticket, const PictureSource& source, bool urgent) = 0;
    // The answers that arrived since the last call, in the order they were read.
    virtual std::vector<PictureAnswer> TakeAnswers() = 0;
    // Ends reading: nothing is read or posted afterwards. Waits only a short time for a read
    // in progress; a read that takes longer is left to finish on its own and is dropped.
    virtual void Stop() = 0;
};

} // namespace vantrel
