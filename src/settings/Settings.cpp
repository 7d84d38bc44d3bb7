#include "settings/Settings.h"

#include "platform/AsciiText.h"
#include "platform/DurableFile.h"
#include "tree/Configuration.h"

namespace vantrel {

namespace {
constexpr const char* MenuShortcutOnName = "MenuShortcutOn";
constexpr const char* MenuShortcutName = "MenuShortcut";
constexpr const char* FindShortcutOnName = "FindShortcutOn";
constexpr const char* FindShortcutName = "FindShortcut";
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* NewFileHeader =
    "; Vantrel's settings, read when it starts. One setting a line: name=value.\r\n";

// The name of a setting's line; empty for a comment, a blank line or a line without "=".
std::optional<std::string_view> NameOf(std::string_view line) {
    line = TrimBlanks(line);
    const std::size_t equals = line.find('=');
    if (line.empty() || line[0] == ';' || line[0] == '#' || equals == std::string_view::npos)
        return std::nullopt;
    return TrimBlanks(line.substr(0, equals));
}

std::optional<bool> YesOrNo(const std::string& value) {
    if (EqualIgnoringAsciiCase(value, "yes"))
        return true;
    if (EqualIgnoringAsciiCase(value, "no"))
        return false;
    return std::nullopt;
}

struct FileRead {
    enum class State { Missing, Read, NotText, Unreadable } state = State::Missing;
    std::string text;
};

// A file too large to be the program's, or one holding zero bytes or starting as UTF-16 does
// (a binary file, Notepad's "Unicode"), is not text the program can keep line by line.
FileRead ReadWholeFile(FileApi& files, const std::string& path, FailureNote& note) {
    ScopedFile file(files, files.OpenForReading(path));
    if (!note.Check(static_cast<bool>(file)))
        return {files.Exists(path) ? FileRead::State::Unreadable : FileRead::State::Missing, {}};
    const std::optional<std::uint64_t> size = files.SizeOf(file.Get());
    if (!note.Check(size.has_value()))
        return {FileRead::State::Unreadable, {}};
    if (*size > SettingsFileLimit)
        return {FileRead::State::NotText, {}};
    std::string text(static_cast<std::size_t>(*size), '\0');
    const std::optional<std::size_t> read =
        files.Read(file.Get(), reinterpret_cast<std::uint8_t*>(text.data()), text.size());
    if (!note.Check(read.has_value()))
        return {FileRead::State::Unreadable, {}};
    text.resize(*read);
    const std::string_view start = std::string_view(text).substr(0, 2);
    if (text.find('\0') != std::string::npos || start == "\xFF\xFE" || start == "\xFE\xFF")
        return {FileRead::State::NotText, {}};
    return {FileRead::State::Read, text};
}

// A shortcut's pair of lines; a value that cannot be taken leaves what `on` and `keys` held.
void ReadShortcut(const SettingsText& text, const char* onName, const char* keysName, bool& on,
                  Shortcut& keys) {
    if (const auto value = text.Value(onName))
        on = YesOrNo(*value).value_or(on);
    if (const auto value = text.Value(keysName)) {
        const std::optional<Shortcut> shortcut = ParseShortcut(*value);
        if (shortcut && UsableEverywhere(*shortcut))
            keys = *shortcut;
    }
}
} // namespace

SettingsText::SettingsText(std::string_view text) {
    if (text.substr(0, ByteOrderMark.size()) == ByteOrderMark) {
        byteOrderMark_ = true;
        text.remove_prefix(ByteOrderMark.size());
    }
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines_.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
}

std::optional<std::string> SettingsText::Value(std::string_view name) const {
    for (const std::string& line : lines_) {
        const std::optional<std::string_view> lineName = NameOf(line);
        if (lineName && EqualIgnoringAsciiCase(*lineName, name))
            return std::string(TrimBlanks(std::string_view(line).substr(line.find('=') + 1)));
    }
    return std::nullopt;
}

void SettingsText::Set(std::string_view name, const std::string& value) {
    const std::string line = std::string(name) + "=" + value;
    for (std::string& existing : lines_) {
        const std::optional<std::string_view> lineName = NameOf(existing);
        if (lineName && EqualIgnoringAsciiCase(*lineName, name)) {
            existing = line;
            return;
        }
    }
    lines_.push_back(line);
}

std::string SettingsText::Text() const {
    std::string text(byteOrderMark_ ? ByteOrderMark : std::string_view());
    for (const std::string& line : lines_)
        text += line + "\r\n";
    return text;
}

Settings SettingsFrom(const SettingsText& text) {
    Settings settings;
    ReadShortcut(text, MenuShortcutOnName, MenuShortcutName, settings.menuShortcutOn,
                 settings.menuShortcut);
    ReadShortcut(text, FindShortcutOnName, FindShortcutName, settings.findShortcutOn,
                 settings.findShortcut);
    // A file from before Find had a shortcut may give the menu Find's keys: the menu keeps
    // them, rather than Find being told "taken" at every start.
    if (settings.menuShortcutOn && settings.menuShortcut == settings.findShortcut)
        settings.findShortcutOn = false;
    return settings;
}

void WriteSettings(const Settings& settings, SettingsText& text) {
    text.Set(MenuShortcutOnName, settings.menuShortcutOn ? "yes" : "no");
    text.Set(MenuShortcutName, ShortcutText(settings.menuShortcut));
    text.Set(FindShortcutOnName, settings.findShortcutOn ? "yes" : "no");
    text.Set(FindShortcutName, ShortcutText(settings.findShortcut));
}

Settings LoadSettings(FileApi& files, const std::string& path) {
    FailureNote note(files);
    return SettingsFrom(SettingsText(ReadWholeFile(files, path, note).text));
}

SettingsSaved SaveSettings(FileApi& files, const std::string& path, const Settings& settings) {
    FailureNote note(files);
    const FileRead current = ReadWholeFile(files, path, note);
    if (current.state == FileRead::State::Unreadable)
        return {false, note.Text(), {}};
    std::string keptAs;
    if (current.state == FileRead::State::NotText) {
        const std::optional<std::string> aside = SetAsideAsDamaged(files, path);
        if (!note.Check(aside.has_value()))
            return {false, note.Text(), {}};
        keptAs = *aside;
    }
    SettingsText text(current.text.empty() ? NewFileHeader : current.text);
    WriteSettings(settings, text);
    const std::string bytes = text.Text();
    FailureNote writing(files);
    const bool saved = ReplaceDurably(
        files, path,
        [&bytes](FileApi& f, FileHandle file) {
            return f.Write(file, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        },
        writing);
    return {saved, writing.Text(), keptAs};
}

} // namespace vantrel
