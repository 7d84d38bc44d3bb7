#pragma once
// Scripted stand-in for the file-open dialog and the folder browser: each showing is one log
// line ("GetOpenFileName owner=... filter=... dir=... file=...") and takes the next answer
// from its queue; an empty queue answers as the user's Cancel does.

#include "platform/PickerApi.h"

#include <deque>
#include <optional>
#include <string>

namespace vantrel::testing {

struct CallLog;

class FakePickers : public PickerApi {
  public:
    explicit FakePickers(CallLog& log) : log_(log) {}

    // nullopt stands for Cancel (or, for the browser, a choice without a file-system path).
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    // The next showing throws instead of answering, as a failed allocation would.
    bool throwNext = false;

    std::optional<std::string> OpenFile(const DialogModel& owner,
                                        const OpenFileRequest& request) override;
    std::optional<std::string> ShowFolderBrowser(const DialogModel& owner,
                                                 const std::string& startFolder) override;
    // Answers from fileAnswers too.
    std::optional<std::string> SaveFile(const DialogModel& owner,
                                        const OpenFileRequest& request) override;

  private:
    std::optional<std::string> Next(std::deque<std::optional<std::string>>& answers);

    CallLog& log_;
};

} // namespace vantrel::testing
