#pragma once
// Which look the menus take, from the user's theme: high contrast, dark mode, or the look
// derived from the colour scheme. The colours are derived once and kept until the system
// says its colours or theme changed.

#include "platform/ThemeApi.h"
#include "render/ColourModel.h"

#include <optional>

namespace vantrel {

enum class MenuLook { Derived, Dark, HighContrast };

// The colours a high-contrast theme sets for menus; they are used as they are.
struct HighContrastColours {
    Rgb menu;
    Rgb menuText;
    Rgb highlight;
    Rgb highlightText;
    Rgb grayText;
};

// The derived look (strip, glass selection, check box) on the dark face of dark mode, with
// light captions; the selection takes the highlight's hue.
MenuColours DarkMenuColours(Rgb highlight);
// Flat colours, no gradients, captions and lines in the theme's own colours.
MenuColours HighContrastMenuColours(const HighContrastColours& system);

MenuLook CurrentMenuLook(ThemeApi& theme);
MenuColours CurrentMenuColours(ThemeApi& theme);

class MenuTheme {
  public:
    explicit MenuTheme(ThemeApi& theme) : theme_(theme) {}

    // The colours every item of the shown menus is painted in, and their look.
    const MenuColours& Colours();
    MenuLook Look();
    // The user changed colours or theme: the next menu to open shows the change.
    void SettingsChanged() { stale_ = true; }
    // Called as a menu opens, before any item is painted. Items of a menu already open
    // keep their colours, so one menu never mixes two looks.
    void MenuOpening();

  private:
    ThemeApi& theme_;
    void Derive();

    std::optional<MenuColours> colours_;
    MenuLook look_ = MenuLook::Derived;
    bool stale_ = false;
};

} // namespace vantrel
