#include "fakes/FakeRegistryWrite.h"

#include "fakes/FakePlatform.h"

namespace vantrel::testing {

bool FakeRegistryWrite::SetUserString(const std::string& keyPath, const std::string& valueName,
                                      const std::string& text) {
    log_.Add("RegSetUserString " + keyPath + " value=" + valueName + " data=" + text);
    if (!keyOpens)
        return false;
    registry_.values[keyPath + "\\" + valueName] = text + std::string(1, '\0');
    return true;
}

bool FakeRegistryWrite::DeleteUserValue(const std::string& keyPath, const std::string& valueName) {
    log_.Add("RegDeleteUserValue " + keyPath + " value=" + valueName);
    return keyOpens && registry_.values.erase(keyPath + "\\" + valueName) > 0;
}

} // namespace vantrel::testing
