#include "platform/Shortcut.h"

#include "platform/AsciiText.h"

#include <cctype>
#include <cstdio>

namespace vantrel {

namespace {
struct KeyName {
    unsigned key;
    const char* name;
};

constexpr KeyName KeyNames[] = {
    {0x08, "Backspace"},   {0x09, "Tab"},        {0x0D, "Enter"},       {0x13, "Pause"},
    {0x1B, "Esc"},         {0x20, "Space"},      {0x21, "PageUp"},      {0x22, "PageDown"},
    {0x23, "End"},         {0x24, "Home"},       {0x25, "Left"},        {0x26, "Up"},
    {0x27, "Right"},       {0x28, "Down"},       {0x2C, "PrintScreen"}, {0x2D, "Insert"},
    {0x2E, "Delete"},      {0x5D, "Menu"},       {0x6A, "NumMultiply"}, {0x6B, "NumAdd"},
    {0x6D, "NumSubtract"}, {0x6E, "NumDecimal"}, {0x6F, "NumDivide"},   {0x91, "ScrollLock"},
};

// In the order the text form names them.
constexpr KeyName ModifierNames[] = {
    {ModWin, "Win"}, {ModCtrl, "Ctrl"}, {ModAlt, "Alt"}, {ModShift, "Shift"}};

constexpr unsigned FirstFunctionKey = 0x70; // F1
constexpr unsigned FunctionKeys = 24;
constexpr unsigned FirstNumberPadKey = 0x60; // Num0

// Mouse buttons, modifiers and codes no key has are never the key of a shortcut.
bool IsKey(unsigned key) {
    switch (key) {
    case 0x10:
    case 0x11:
    case 0x12: // Shift, Ctrl, Alt
    case 0x5B:
    case 0x5C: // the Windows keys
        return false;
    default:
        return key >= 0x08 && key <= 0xFE && !(key >= 0xA0 && key <= 0xA5);
    }
}

std::optional<unsigned> NumberIn(std::string_view digits, int base) {
    if (digits.empty() || digits.size() > 2)
        return std::nullopt;
    unsigned value = 0;
    for (char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        const unsigned digit = std::isdigit(static_cast<unsigned char>(c))
                                   ? static_cast<unsigned>(c - '0')
                                   : static_cast<unsigned>(std::tolower(c) - 'a' + 10);
        if (digit >= static_cast<unsigned>(base))
            return std::nullopt;
        value = value * static_cast<unsigned>(base) + digit;
    }
    return value;
}

std::string KeyText(unsigned key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= FirstFunctionKey && key < FirstFunctionKey + FunctionKeys)
        return "F" + std::to_string(key - FirstFunctionKey + 1);
    if (key >= FirstNumberPadKey && key <= FirstNumberPadKey + 9)
        return "Num" + std::to_string(key - FirstNumberPadKey);
    for (const KeyName& name : KeyNames)
        if (name.key == key)
            return name.name;
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", key);
    return code;
}

std::optional<unsigned> KeyOf(std::string_view name) {
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return static_cast<unsigned>(std::toupper(static_cast<unsigned char>(name[0])));
    const auto numbered = [&](std::string_view prefix) -> std::optional<unsigned> {
        if (name.size() <= prefix.size() ||
            !EqualIgnoringAsciiCase(name.substr(0, prefix.size()), prefix))
            return std::nullopt;
        return NumberIn(name.substr(prefix.size()), 10);
    };
    if (const auto f = numbered("F"); f && *f >= 1 && *f <= FunctionKeys)
        return FirstFunctionKey + *f - 1;
    if (const auto num = numbered("Num"); num && *num <= 9 && name.size() == 4)
        return FirstNumberPadKey + *num;
    if (name.size() > 2 && EqualIgnoringAsciiCase(name.substr(0, 2), "0x"))
        return NumberIn(name.substr(2), 16);
    for (const KeyName& known : KeyNames)
        if (EqualIgnoringAsciiCase(name, known.name))
            return known.key;
    return std::nullopt;
}

std::optional<unsigned> ModifierOf(std::string_view name) {
    for (const KeyName& modifier : ModifierNames)
        if (EqualIgnoringAsciiCase(name, modifier.name))
            return modifier.key;
    return std::nullopt;
}
} // namespace

std::string ShortcutText(const Shortcut& shortcut) {
    if (shortcut.key == 0)
        return std::string();
    std::string text;
    for (const KeyName& modifier : ModifierNames)
        if (shortcut.modifiers & modifier.key)
            text += std::string(modifier.name) + "+";
    return text + KeyText(shortcut.key);
}

std::optional<Shortcut> ParseShortcut(std::string_view text) {
    Shortcut shortcut;
    for (;;) {
        const std::size_t plus = text.find('+');
        const std::string_view part = TrimBlanks(text.substr(0, plus));
        if (plus == std::string_view::npos) {
            const std::optional<unsigned> key = KeyOf(part);
            if (!key || !IsKey(*key))
                return std::nullopt;
            shortcut.key = *key;
            return shortcut;
        }
        const std::optional<unsigned> modifier = ModifierOf(part);
        if (!modifier || (shortcut.modifiers & *modifier))
            return std::nullopt;
        shortcut.modifiers |= *modifier;
        text.remove_prefix(plus + 1);
    }
}

bool UsableEverywhere(const Shortcut& shortcut) {
    return IsKey(shortcut.key) && (shortcut.modifiers & (ModWin | ModCtrl | ModAlt)) != 0 &&
           (shortcut.modifiers & ~AllModifiers) == 0;
}

ShortcutPress WhatShortcutPressDoes(bool menuOpen, const std::optional<MenuClosing>& lastClosing,
                                    unsigned modifiers, std::uint32_t now) {
    if (menuOpen)
        return ShortcutPress::ClosesMenu;
    const bool heldSinceClosing = lastClosing && modifiers != 0 &&
                                  (lastClosing->modifiersHeld & modifiers) == modifiers &&
                                  now - lastClosing->tick <= ClosingPressSpanMs;
    return heldSinceClosing ? ShortcutPress::ClosedMenuAlready : ShortcutPress::OpensMenu;
}

} // namespace vantrel
