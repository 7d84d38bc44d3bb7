#include "fakes/FakePickers.h"

#include "editors/DialogModel.h"
#include "fakes/FakePlatform.h"

#include <stdexcept>

namespace vantrel::testing {

std::optional<std::string> FakePickers::OpenFile(const DialogModel& owner,
                                                 const OpenFileRequest& request) {
    log_.Add("GetOpenFileName owner=" + owner.Caption() + " filter=" + request.filter +
             " dir=" + request.initialDirectory + " file=" + request.fileName);
    return Next(fileAnswers);
}

std::optional<std::string> FakePickers::SaveFile(const DialogModel& owner,
                                                 const OpenFileRequest& request) {
    log_.Add("GetSaveFileName owner=" + owner.Caption() + " filter=" + request.filter +
             " file=" + request.fileName);
    return Next(fileAnswers);
}

std::optional<std::string> FakePickers::ShowFolderBrowser(const DialogModel& owner,
                                                          const std::string& startFolder) {
    log_.Add("SHBrowseForFolder owner=" + owner.Caption() + " start=" + startFolder);
    return Next(folderAnswers);
}

std::optional<std::string> FakePickers::Next(std::deque<std::optional<std::string>>& answers) {
    if (throwNext) {
        throwNext = false;
        throw std::runtime_error("picker failed");
    }
    if (answers.empty())
        return std::nullopt;
    std::optional<std::string> answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace vantrel::testing
