#include "fakes/FakeDrives.h"

#include "fakes/FakePlatform.h"

namespace vantrel::testing {

std::uint32_t FakeDrives::LogicalDrives() {
    log_.Add("GetLogicalDrives");
    return mask;
}

DriveType FakeDrives::TypeOfDrive(const std::string& root) {
    log_.Add("GetDriveType " + root);
    const auto it = types.find(root);
    return it == types.end() ? DriveType::Fixed : it->second;
}

bool FakeDrives::RequestIconInBackground(const std::string& path, int side, IconDone done) {
    log_.Add("BackgroundIcon path=" + path +
             (side == IconSide ? "" : " side=" + std::to_string(side)));
    if (refuseBackground)
        return false;
    running.push_back({path, std::move(done)});
    return true;
}

bool FakeDrives::Finish(const std::string& path, std::optional<RawIcon> icon) {
    for (auto it = running.begin(); it != running.end(); ++it) {
        if (it->path != path)
            continue;
        IconDone done = std::move(it->done);
        running.erase(it);
        done(std::move(icon));
        return true;
    }
    return false;
}

std::uint32_t FakeDrives::Letters(const std::string& letters) {
    std::uint32_t mask = 0;
    for (const char letter : letters)
        mask |= std::uint32_t{1} << (letter - 'A');
    return mask;
}

} // namespace vantrel::testing
