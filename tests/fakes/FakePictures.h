#pragma once
// Recording stand-in for the reading thread of the rows' pictures. Nothing is read until the
// test says so: ReadNext answers the next request from the fake shell's icons, as the
// thread would, and TakeAnswers hands the answers over as the user-interface thread takes
// them.

#include "platform/PictureApi.h"

#include <deque>
#include <string>
#include <vector>

namespace vantrel::testing {

struct CallLog;
class FakeIcons;
class FakeShellFolders;

class FakePictures : public PicturesApi {
  public:
    FakePictures(CallLog& log, FakeIcons& icons, FakeShellFolders& folders)
        : log_(log), icons_(icons), folders_(folders) {}

    struct Request {
        PictureTicket ticket = 0;
        PictureSource source;
        bool urgent = false;
    };
    std::deque<Request> pending; // submitted and not read yet, oldest first
    std::vector<PictureAnswer> answered; // read and not taken yet
    bool refuse = false;         // no thread can be started
    bool stopped = false;

    bool Submit(PictureTicket ticket, const PictureSource& source, bool urgent) override;
    std::vector<PictureAnswer> TakeAnswers() override;
    void Stop() override;

    // Reads the next request as the thread would (the oldest urgent one, else the oldest):
    // the icon of its first path the fake shell has one for, or of its special folder. False
    // when none is pending.
    bool ReadNext();
    // "ReadPicture C:\a.exe|C:\b.exe utf8 system32 urgent": how Submit logs a request.
    static std::string Describe(const PictureSource& source, bool urgent);

  private:
    CallLog& log_;
    FakeIcons& icons_;
    FakeShellFolders& folders_;
};

} // namespace vantrel::testing
