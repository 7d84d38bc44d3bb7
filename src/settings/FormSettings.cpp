#include "settings/FormSettings.h"

#include "editors/ControlTable.h"

#include <vector>

namespace vantrel {

namespace {
constexpr const char* Title = "Settings";
constexpr const char* MenuGroup = "Menu";
constexpr int Margin = 12;
constexpr int DialogWidth = 380;
constexpr int GroupHeight = 56;
constexpr int GroupCount = 1;
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
    AddShortcutGroup(layout, MenuGroup, "Open the menu with a keyboard shortcut", Margin);
    layout.push_back(BevelAt("Bevel1", {Margin, ButtonsTop - 10, DialogWidth - 2 * Margin, 2}));
    layout.push_back(ButtonAt("ImportButton", "Import...", {Margin, ButtonsTop, 75, 25}));
    layout.push_back(ButtonAt("ExportButton", "Export...", {Margin + 83, ButtonsTop, 75, 25}));
    layout.push_back(OkButtonAt(DialogWidth - Margin - 2 * GlyphButtonWidth - 8, ButtonsTop));
    layout.push_back(CancelButtonAt(DialogWidth - Margin - GlyphButtonWidth, ButtonsTop));
    return layout;
}

const char* const NoKeysText =
    "Press the keys of the shortcut in its field, or untick \"Open the menu with a keyboard "
    "shortcut\".";
const char* const PlainKeysText =
    "A shortcut needs the Windows key, Ctrl or Alt: without them it would take a key that "
    "every program types.";
} // namespace

TFormSettings::TFormSettings(UiApi& ui)
    : DialogModel(Title, DialogWidth, DialogHeight, Layout()), ui_(ui) {}

void TFormSettings::Load(const Settings& settings) {
    loaded_ = settings;
    const std::string group = MenuGroup;
    SetChecked(group + "On", settings.menuShortcutOn);
    SetText(group + "Keys", ShortcutText({settings.menuShortcut.modifiers & ~unsigned{ModWin},
                                          settings.menuShortcut.key}));
    SetChecked(group + "WinKey", (settings.menuShortcut.modifiers & ModWin) != 0);
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
    if (name == std::string(MenuGroup) + "On")
        EnableGroup(MenuGroup);
    else if (name == "BitBtn1")
        ApplyChoice();
    else if (name == "BitBtn2")
        Close(ModalResult::Cancel);
    else if (name == "ImportButton" && import_)
        import_(*this);
    else if (name == "ExportButton" && export_)
        export_(*this);
}

// A group turned off keeps the shortcut it had, whatever its field shows.
void TFormSettings::ApplyChoice() {
    Settings chosen = loaded_;
    chosen.menuShortcutOn = Checked(std::string(MenuGroup) + "On");
    const std::optional<Shortcut> keys = KeysOf(MenuGroup);
    if (chosen.menuShortcutOn && !keys)
        return ui_.ShowNotice(NoKeysText, Title);
    if (chosen.menuShortcutOn && !UsableEverywhere(*keys))
        return ui_.ShowNotice(PlainKeysText, Title);
    if (chosen.menuShortcutOn)
        chosen.menuShortcut = *keys;
    if (const std::optional<std::string> problem = apply_ ? apply_(chosen) : std::nullopt)
        return ui_.ShowNotice(*problem, Title);
    Close(ModalResult::Ok);
}

} // namespace vantrel
