#include "settings/FormSettings.h"

#include "editors/ControlTable.h"

#include <vector>

namespace vantrel {

namespace {
constexpr const char* Title = "Settings";
constexpr const char* MenuGroup = "Menu";
constexpr const char* FindGroup = "Find";
constexpr const char* MenuCaption = "Open the menu with a keyboard shortcut";
constexpr const char* FindCaption = "Open Find with a keyboard shortcut";
constexpr int Margin = 12;
constexpr int DialogWidth = 380;
constexpr int GroupHeight = 56;
constexpr int GroupCount = 2;
constexpr int ButtonsTop = Margin + GroupCount * GroupHeight + 16;
constexpr int DialogHeight = ButtonsTop + GlyphButtonHeight + Margin;

// "<group>On", "<group>KeysLabel", "<group>Keys" and "<group>WinKey", from `top` down.
void AddShortcutGroup(std::vector<Control>& layout, const std::string& group,
                      const std::string& caption, int top) {
    layout.push_back(CheckBoxAt(group + "On", caption, {Margin, top, 336, 17}));
    layout.push_back(LabelAt(group + "KeysLabel", "Shortcut:", 32, top + 27));
    layout.push_back(HotKeyAt(group + "Keys", {90, top + 24, 130, 21}));
    layout.push_back(
        CheckBoxAt(group + "WinKey", "with the Windows key", {230, top + 26, 140, 17}));
}

std::vector<Control> Layout() {
    std::vector<Control> layout;
    AddShortcutGroup(layout, MenuGroup, MenuCaption, Margin);
    AddShortcutGroup(layout, FindGroup, FindCaption, Margin + GroupHeight);
    layout.push_back(BevelAt("Bevel1", {Margin, ButtonsTop - 10, DialogWidth - 2 * Margin, 2}));
    layout.push_back(ButtonAt("ImportButton", "Import...", {Margin, ButtonsTop, 75, 25}));
    layout.push_back(ButtonAt("ExportButton", "Export...", {Margin + 83, ButtonsTop, 75, 25}));
    layout.push_back(OkButtonAt(DialogWidth - Margin - 2 * GlyphButtonWidth - 8, ButtonsTop));
    layout.push_back(CancelButtonAt(DialogWidth - Margin - GlyphButtonWidth, ButtonsTop));
    return layout;
}

std::string NoKeysText(const char* caption) {
    return std::string("Press the keys of the shortcut in its field, or untick \"") + caption +
           "\".";
}
const char* const PlainKeysText =
    "A shortcut needs the Windows key, Ctrl or Alt: without them it would take a key that "
    "every program types.";
const char* const SameKeysText =
    "The menu and Find cannot have the same shortcut: choose another for one of them.";
} // namespace

TFormSettings::TFormSettings(UiApi& ui)
    : DialogModel(Title, DialogWidth, DialogHeight, Layout()), ui_(ui) {}

void TFormSettings::Load(const Settings& settings) {
    loaded_ = settings;
    ShowGroup(MenuGroup, settings.menuShortcutOn, settings.menuShortcut);
    ShowGroup(FindGroup, settings.findShortcutOn, settings.findShortcut);
}

void TFormSettings::ShowGroup(const std::string& group, bool on, const Shortcut& keys) {
    SetChecked(group + "On", on);
    SetText(group + "Keys", ShortcutText({keys.modifiers & ~unsigned{ModWin}, keys.key}));
    SetChecked(group + "WinKey", (keys.modifiers & ModWin) != 0);
    EnableGroup(group);
}

void TFormSettings::EnableGroup(const std::string& group) {
    const bool on = Checked(group + "On");
    for (const char* part : {"KeysLabel", "Keys", "WinKey"})
        SetEnabled(group + part, on);
}

std::optional<Shortcut> TFormSettings::KeysOf(const std::string& group) const {
    std::optional<Shortcut> keys = ParseShortcut(Text(group + "Keys"));
    if (keys && Checked(group + "WinKey"))
        keys->modifiers |= ModWin;
    return keys;
}

void TFormSettings::OnClick(const std::string& name) {
    for (const char* group : {MenuGroup, FindGroup})
        if (name == std::string(group) + "On")
            EnableGroup(group);
    if (name == "BitBtn1")
        ApplyChoice();
    else if (name == "BitBtn2")
        Close(ModalResult::Cancel);
    else if (name == "ImportButton" && import_)
        import_(*this);
    else if (name == "ExportButton" && export_)
        export_(*this);
}

// A group turned off keeps the shortcut it had, whatever its field shows. Nothing when the
// group's choice can be taken, else what to tell the user.
std::optional<std::string> TFormSettings::ReadGroup(const std::string& group, const char* caption,
                                                    bool& on, Shortcut& keys) const {
    on = Checked(group + "On");
    const std::optional<Shortcut> chosen = KeysOf(group);
    if (on && !chosen)
        return NoKeysText(caption);
    if (on && !UsableEverywhere(*chosen))
        return PlainKeysText;
    if (on)
        keys = *chosen;
    return std::nullopt;
}

std::optional<std::string> TFormSettings::ReadChoice(Settings& chosen) const {
    if (auto problem =
            ReadGroup(MenuGroup, MenuCaption, chosen.menuShortcutOn, chosen.menuShortcut))
        return problem;
    if (auto problem =
            ReadGroup(FindGroup, FindCaption, chosen.findShortcutOn, chosen.findShortcut))
        return problem;
    if (chosen.menuShortcutOn && chosen.findShortcutOn &&
        chosen.menuShortcut == chosen.findShortcut)
        return SameKeysText;
    return std::nullopt;
}

void TFormSettings::ApplyChoice() {
    Settings chosen = loaded_;
    std::optional<std::string> problem = ReadChoice(chosen);
    if (!problem && apply_)
        problem = apply_(chosen);
    if (problem)
        return ui_.ShowNotice(*problem, Title);
    Close(ModalResult::Ok);
}

} // namespace vantrel
