#pragma once
// A recording stand-in for the operating system: every call is appended to one log as a
// plain line ("ShellExecute verb=runas file=mmc.exe ..."), so a test can assert exactly
// what the program asked for, and in which order. Answers are set through public fields.

#include "editors/Picking.h"
#include "fakes/FakeClipboard.h"
#include "fakes/FakeCodePage.h"
#include "fakes/FakeDrives.h"
#include "fakes/FakeFiles.h"
#include "fakes/FakeHotKeys.h"
#include "fakes/FakeInternet.h"
#include "fakes/FakeMessages.h"
#include "fakes/FakePictures.h"
#include "fakes/FakePickers.h"
#include "fakes/FakePower.h"
#include "fakes/FakeRegistryWrite.h"
#include "fakes/FakeShell.h"
#include "fakes/FakeShellFolders.h"
#include "fakes/FakeThread.h"
#include "fakes/FakeShortcuts.h"
#include "platform/Platform.h"
#include "tree/MenuNode.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::testing {

struct CallLog {
    std::vector<std::string> calls;
    void Add(std::string call) { calls.push_back(std::move(call)); }
    // Lines that start with the prefix, in order.
    std::vector<std::string> Matching(const std::string& prefix) const;
    bool Contains(const std::string& call) const;
    // Position of the first line equal to call; -1 when absent.
    int IndexOf(const std::string& call) const;
};

class FakeProcess : public ProcessApi {
public:
    explicit FakeProcess(CallLog& log) : log_(log) {}
    bool isWow64 = false;
    bool hasDisable = false;
    bool hasRevert = false;
    std::uint32_t version = 0x23F00206; // 6.2, build bits in the high word
    std::string windowsDirectory = "C:\\Windows";
    std::string moduleFileName = "C:\\Tools\\Vantrel.exe";
    RedirectionCookie nextCookie = 0x5150;

    bool InitializeCom() override;
    void UninitializeCom() override;
    bool QueryIsWow64() override { return isWow64; }
    bool HasDisableRedirection() override { return hasDisable; }
    bool HasRevertRedirection() override { return hasRevert; }
    void DisableRedirection(RedirectionCookie* cookie) override;
    void RevertRedirection(RedirectionCookie cookie) override;
    std::uint32_t GetVersion() override { return version; }
    std::string WindowsDirectory() override { return windowsDirectory; }
    std::string ModuleFileName() override { return moduleFileName; }
    void Sleep(unsigned milliseconds) override;

private:
    CallLog& log_;
};

class FakeRegistry : public RegistryApi {
public:
    explicit FakeRegistry(CallLog& log) : log_(log) {}
    // "keyPath\valueName" -> the stored bytes (a terminating zero is part of the bytes).
    std::map<std::string, std::string> values;

    std::optional<StringValue> ReadUserValue(const std::string& keyPath,
                                             const std::string& valueName,
                                             unsigned bufferSize) override;

private:
    CallLog& log_;
};

class FakeIcons : public IconApi {
public:
    explicit FakeIcons(CallLog& log) : log_(log) {}
    // Paths that have an icon; any other path has none.
    std::map<std::string, RawIcon> byPath; // one map for both encodings
    std::map<const void*, RawIcon> byIdList;

    // The icons are given back as they were stored, whatever side is asked for; the log
    // names a side other than 16.
    std::optional<RawIcon> SmallIconOfPath(const std::string& path, TextEncoding encoding,
                                           int side) override;
    std::optional<RawIcon> SmallIconOfIdList(const void* idList, int side) override;
    // An opaque icon of one colour, alpha 255 everywhere.
    static RawIcon Solid(std::uint8_t blue, std::uint8_t green, std::uint8_t red);

private:
    CallLog& log_;
};

class FakeUi : public UiApi {
public:
    explicit FakeUi(CallLog& log) : log_(log) {}
    // Answers of ShowTrayIcon, used up in order; once empty the icon shows.
    std::deque<bool> trayAnswers;
    std::deque<MessageBoxResult> messageBoxAnswers; // default answer: No
    // What the user does in each dialog shown, used up in order; a dialog shown without a
    // script is closed with its close box.
    std::deque<std::function<void(DialogModel&)>> dialogScripts;
    bool trayVisible = false;
    MenuNode* lastMenu = nullptr;
    int dpi = 96; // of every monitor
    // Runs inside the next balloon, as a message sent meanwhile to the window would.
    std::function<void()> duringBalloon;

    void HideMainForm() override { log_.Add("HideMainForm"); }
    bool ShowTrayIcon() override;
    void HideTrayIcon() override;
    bool ShowBalloon(const std::string& title, const std::string& text,
                     unsigned timeoutMs) override;
    void BringToForeground() override { log_.Add("BringToForeground"); }
    void ShowPopupMenu(MenuNode& menu, int x, int y, MenuStart start, MenuPlace place) override;
    int DpiAt(int, int) override { return dpi; }
    void CloseMainForm() override { log_.Add("CloseMainForm"); }
    bool StartTimer(unsigned timer, unsigned milliseconds) override {
        log_.Add("StartTimer " + std::to_string(timer) + " " + std::to_string(milliseconds));
        return true;
    }
    ModalResult ShowModal(DialogModel& dialog) override;
    void ShowNotice(const std::string& text, const std::string& title) override;
    void ShowMessage(const std::string& text, const std::string& title) override {
        log_.Add("Message title=" + title + " text=" + text);
    }
    MessageBoxResult AskYesNo(const std::string& text, const std::string& title,
                              DefaultAnswer defaultAnswer) override;
    bool findShown = false;
    void ShowFindWindow() override {
        log_.Add("ShowFindWindow");
        findShown = true;
    }
    void CloseFindWindow(FindClosing closing) override {
        log_.Add(closing == FindClosing::GiveBack ? "CloseFindWindow giving back"
                                                  : "CloseFindWindow keeping front");
        findShown = false;
    }
    bool FindWindowShown() override { return findShown; }

private:
    CallLog& log_;
};

class PlatformParts;

// Everything together, wired into the Platform the program takes.
struct FakePlatform {
    CallLog log;
    FakeProcess process{log};
    FakeRegistry registry{log};
    FakeIcons icons{log};
    FakeUi ui{log};
    FakeShell shell{log};
    FakeClipboard clipboard{log};
    FakeShellFolders folders{log};
    FakeDrives drives{log};
    FakePower power{log};
    FakeRegistryWrite registryWrite{log, registry};
    FakeInternet internet{log};
    FakeMessages messages{log};
    FakeFiles files{log};
    FakePickers pickers{log};
    FakeCodePage codePage;
    FakePictures pictures{log, icons, folders};
    FakeThread saveThread{log};
    FakeShortcuts shortcuts{log};
    FakeHotKeys hotKeys{log};
    Platform platform{process,  registry, icons,   ui,       shell,    clipboard,
                      folders,  drives,   power,   registryWrite,      internet,
                      messages, files,    pickers, codePage, pictures, saveThread,
                      shortcuts, hotKeys};
    // The pickers as the editors take them.
    PathPicker picker{pickers, codePage, ui, "Vantrel"};

    // This platform with some parts replaced, for a test that needs one interface to behave
    // differently: `Platform p = fake.With().Process(throwing);`.
    PlatformParts With();
};

class PlatformParts {
public:
    explicit PlatformParts(FakePlatform& fake) : fake_(fake) {}
    PlatformParts& Process(ProcessApi& part) { process_ = &part; return *this; }
    PlatformParts& Icons(IconApi& part) { icons_ = &part; return *this; }
    PlatformParts& Shell(ShellApi& part) { shell_ = &part; return *this; }
    PlatformParts& Folders(ShellFoldersApi& part) { folders_ = &part; return *this; }
    PlatformParts& Drives(DrivesApi& part) { drives_ = &part; return *this; }
    PlatformParts& Files(FileApi& part) { files_ = &part; return *this; }
    operator Platform() const;

private:
    FakePlatform& fake_;
    ProcessApi* process_ = nullptr;
    IconApi* icons_ = nullptr;
    ShellApi* shell_ = nullptr;
    ShellFoldersApi* folders_ = nullptr;
    DrivesApi* drives_ = nullptr;
    FileApi* files_ = nullptr;
};

} // namespace vantrel::testing
