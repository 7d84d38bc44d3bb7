#pragma once
// The user's settings and the file that keeps them: Settings.ini beside Config.dat, one
// "name=value" a line, so that a portable copy carries its settings along and a person can
// read and edit them. Lines the program does not know (comments, blank lines, names of other
// versions, damaged lines) stay as they are; a value the program cannot take is ignored and
// the setting keeps its default.
//
//     ; comments start with ; or #
//     MenuShortcutOn=yes
//     MenuShortcut=Win+Alt+M
//     FindShortcutOn=yes
//     FindShortcut=Win+Alt+F

#include "platform/FileApi.h"
#include "platform/Shortcut.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Win+Alt+M: no Windows from 7 to 11 takes it for itself (of Win+Alt with a letter, Windows
// has B, D, G, H, K, R and T), and it is no AltGr (Ctrl+Alt) combination, which European
// layouts type letters with. M for the menu; Win+Alt+F stays free for Find.
constexpr Shortcut DefaultMenuShortcut{ModWin | ModAlt, 'M'};
// Win+Alt+F, for the same reasons: the same keys as the menu's, F for Find.
constexpr Shortcut DefaultFindShortcut{ModWin | ModAlt, 'F'};

struct Settings {
    bool menuShortcutOn = true;
    Shortcut menuShortcut = DefaultMenuShortcut;
    bool findShortcutOn = true;
    Shortcut findShortcut = DefaultFindShortcut;

    friend bool operator==(const Settings& a, const Settings& b) {
        return a.menuShortcutOn == b.menuShortcutOn && a.menuShortcut == b.menuShortcut &&
               a.findShortcutOn == b.findShortcutOn && a.findShortcut == b.findShortcut;
    }
    friend bool operator!=(const Settings& a, const Settings& b) { return !(a == b); }
};

constexpr const char* SettingsFileName = "Settings.ini";
// Larger than this, the file is not the program's: it gives the defaults, and a save sets it
// aside.
constexpr std::size_t SettingsFileLimit = 64 * 1024;

// The lines of a settings file. Names are compared without case and without the blanks
// around them; the first line of a name counts, as in every ini file.
class SettingsText {
  public:
    explicit SettingsText(std::string_view text = {});
    std::optional<std::string> Value(std::string_view name) const;
    // The first line of that name now holds the value; a name not there yet gets a line at
    // the end.
    void Set(std::string_view name, const std::string& value);
    // Every line ends with CR LF; a UTF-8 byte-order mark the file began with is kept.
    std::string Text() const;

  private:
    bool byteOrderMark_ = false;
    std::vector<std::string> lines_;
};

Settings SettingsFrom(const SettingsText& text);
void WriteSettings(const Settings& settings, SettingsText& text);

// The settings the file holds; the defaults for whatever it does not hold or cannot be read.
Settings LoadSettings(FileApi& files, const std::string& path);

struct SettingsSaved {
    bool saved = false;
    std::string reason; // the system's words for what failed, when it told them
    std::string keptAs; // where the file that was no text is kept, when it was set aside
};
// Writes the settings into the file by the safe route, over what the file holds at this
// moment (also what a person changed in it meanwhile). A file that exists but cannot be read
// is left alone: it is not saved over blind. One that is no text the program can keep (saved
// as UTF-16, too large) is first set aside under a damaged-file name.
SettingsSaved SaveSettings(FileApi& files, const std::string& path, const Settings& settings);

} // namespace vantrel
