#include "fakes/FakePictures.h"

#include "fakes/FakePlatform.h"

#include <algorithm>

namespace vantrel::testing {

std::string FakePictures::Describe(const PictureSource& source, bool urgent) {
    std::string line = "ReadPicture ";
    for (std::size_t i = 0; i < source.paths.size(); ++i)
        line += (i > 0 ? "|" : "") + source.paths[i];
    if (source.paths.empty())
        line += "folder=" + FakeShellFolders::Csidl(source.specialFolder);
    if (source.encoding == TextEncoding::Utf8)
        line += " utf8";
    if (source.realSystemDirectory)
        line += " system32";
    if (source.side != IconSide)
        line += " side=" + std::to_string(source.side);
    if (urgent)
        line += " urgent";
    return line;
}

bool FakePictures::Submit(PictureTicket ticket, const PictureSource& source, bool urgent) {
    log_.Add(Describe(source, urgent));
    if (refuse || stopped)
        return false;
    pending.push_back({ticket, source, urgent});
    return true;
}

std::vector<PictureAnswer> FakePictures::TakeAnswers() {
    std::vector<PictureAnswer> taken;
    taken.swap(answered);
    return taken;
}

void FakePictures::Stop() {
    log_.Add("StopPictures");
    stopped = true;
    pending.clear();
    answered.clear();
}

bool FakePictures::ReadNext() {
    if (pending.empty())
        return false;
    auto next = std::find_if(pending.begin(), pending.end(),
                             [](const Request& request) { return request.urgent; });
    if (next == pending.end())
        next = pending.begin();
    const Request request = *next;
    pending.erase(next);
    std::optional<RawIcon> icon;
    if (request.source.paths.empty())
        icon = icons_.SmallIconOfIdList(folders_.IdListOf(request.source.specialFolder),
                                        request.source.side);
    for (const std::string& path : request.source.paths)
        if ((icon = icons_.SmallIconOfPath(path, request.source.encoding, request.source.side)))
            break;
    answered.push_back({request.ticket, icon});
    return true;
}

} // namespace vantrel::testing
