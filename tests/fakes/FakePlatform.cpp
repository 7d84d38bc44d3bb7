#include "fakes/FakePlatform.h"

#include "editors/DialogModel.h"

#include <algorithm>
#include <sstream>
#include <utility>

namespace vantrel::testing {

std::vector<std::string> CallLog::Matching(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const auto& call : calls)
        if (call.rfind(prefix, 0) == 0)
            found.push_back(call);
    return found;
}

bool CallLog::Contains(const std::string& call) const { return IndexOf(call) >= 0; }

int CallLog::IndexOf(const std::string& call) const {
    const auto it = std::find(calls.begin(), calls.end(), call);
    return it == calls.end() ? -1 : static_cast<int>(it - calls.begin());
}

bool FakeProcess::InitializeCom() {
    log_.Add("CoInitializeEx apartment");
    return true;
}

void FakeProcess::UninitializeCom() { log_.Add("CoUninitialize"); }

void FakeProcess::DisableRedirection(RedirectionCookie* cookie) {
    log_.Add("Wow64DisableWow64FsRedirection");
    *cookie = nextCookie;
}

void FakeProcess::RevertRedirection(RedirectionCookie cookie) {
    std::ostringstream line;
    line << "Wow64RevertWow64FsRedirection cookie=0x" << std::hex << cookie;
    log_.Add(line.str());
}

void FakeProcess::Sleep(unsigned milliseconds) {
    log_.Add("Sleep " + std::to_string(milliseconds));
}

std::optional<RegistryApi::StringValue> FakeRegistry::ReadUserValue(const std::string& keyPath,
                                                                   const std::string& valueName,
                                                                   unsigned bufferUnits) {
    log_.Add("RegReadUser " + keyPath + " value=" + valueName +
             " buffer=" + std::to_string(bufferUnits));
    const auto it = values.find(keyPath + "\\" + valueName);
    if (it == values.end() || it->second.size() > bufferUnits)
        return std::nullopt;
    const std::string& stored = it->second;
    return StringValue{stored.substr(0, stored.find('\0')), static_cast<unsigned>(stored.size())};
}

namespace {
std::string SideNote(int side) {
    return side == IconSide ? "" : " side=" + std::to_string(side);
}
} // namespace

std::optional<RawIcon> FakeIcons::SmallIconOfPath(const std::string& path, TextEncoding encoding,
                                                  int side) {
    log_.Add((encoding == TextEncoding::Utf8 ? "SHGetFileInfoW path=" : "SHGetFileInfo path=") +
             path + SideNote(side));
    const auto it = byPath.find(path);
    if (it == byPath.end())
        return std::nullopt;
    return it->second;
}

std::optional<RawIcon> FakeIcons::SmallIconOfIdList(const void* idList, int side) {
    log_.Add("SHGetFileInfo idlist" + SideNote(side));
    const auto it = byIdList.find(idList);
    if (it == byIdList.end())
        return std::nullopt;
    return it->second;
}

RawIcon FakeIcons::Solid(std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
    RawIcon icon;
    icon.colourRead = true;
    icon.maskRead = true;
    for (std::size_t i = 0; i < icon.colour.size(); i += 4) {
        icon.colour[i] = blue;
        icon.colour[i + 1] = green;
        icon.colour[i + 2] = red;
        icon.colour[i + 3] = 255;
    }
    return icon;
}

bool FakeUi::ShowTrayIcon() {
    bool shown = true;
    if (!trayAnswers.empty()) {
        shown = trayAnswers.front();
        trayAnswers.pop_front();
    }
    log_.Add(shown ? "ShowTrayIcon ok" : "ShowTrayIcon failed");
    trayVisible = trayVisible || shown;
    return shown;
}

void FakeUi::HideTrayIcon() {
    log_.Add("HideTrayIcon");
    trayVisible = false;
}

bool FakeUi::ShowBalloon(const std::string& title, const std::string& text, unsigned timeoutMs) {
    log_.Add("ShowBalloon title=" + title + " text=" + text +
             " timeout=" + std::to_string(timeoutMs));
    if (auto during = std::exchange(duringBalloon, nullptr))
        during();
    return trayVisible;
}

void FakeUi::ShowPopupMenu(MenuNode& menu, int x, int y, MenuStart start, MenuPlace place) {
    lastMenu = &menu;
    log_.Add("ShowPopupMenu " + menu.name + " at " + std::to_string(x) + "," + std::to_string(y) +
             (start == MenuStart::FirstRowLit ? " first row lit" : "") +
             (place == MenuPlace::InsideWorkArea ? " inside work area" : ""));
}

ModalResult FakeUi::ShowModal(DialogModel& dialog) {
    log_.Add("ShowModal " + dialog.Caption());
    dialog.BeginModal();
    if (!dialogScripts.empty()) {
        auto script = std::move(dialogScripts.front());
        dialogScripts.pop_front();
        script(dialog);
    }
    // A real dialog stays open until something sets its result; the script stands for
    // everything the user did, after which the window is closed.
    if (dialog.Result() == ModalResult::None)
        dialog.UserClose();
    return dialog.Result();
}

void FakeUi::ShowNotice(const std::string& text, const std::string& title) {
    log_.Add("MessageBox title=" + title + " text=" + text);
}

MessageBoxResult FakeUi::AskYesNo(const std::string& text, const std::string& title,
                                  DefaultAnswer defaultAnswer) {
    log_.Add(std::string("AskYesNo") + (defaultAnswer == DefaultAnswer::No ? " default=No" : "") +
             " title=" + title + " text=" + text);
    if (messageBoxAnswers.empty())
        return MessageBoxResult::No;
    const MessageBoxResult answer = messageBoxAnswers.front();
    messageBoxAnswers.pop_front();
    return answer;
}

PlatformParts FakePlatform::With() { return PlatformParts(*this); }

PlatformParts::operator Platform() const {
    FakePlatform& f = fake_;
    return Platform{process_ ? *process_ : f.process,
                    f.registry,
                    icons_ ? *icons_ : f.icons,
                    f.ui,
                    shell_ ? *shell_ : f.shell,
                    f.clipboard,
                    folders_ ? *folders_ : f.folders,
                    drives_ ? *drives_ : f.drives,
                    f.power,
                    f.registryWrite,
                    f.internet,
                    f.messages,
                    files_ ? *files_ : f.files,
                    f.pickers,
                    f.codePage,
                    f.pictures,
                    f.saveThread,
                    f.shortcuts,
                    f.hotKeys};
}

} // namespace vantrel::testing
