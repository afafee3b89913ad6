// Colours as the session and the tables keep them: 32-bit values where -1 is
// "not set", 0x00RRGGBB is an RGB colour and values from SystemColorBase on
// name a system colour role, resolved through the palette when painting.
// Every set colour is >= 0.
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

constexpr int32_t kNoColor = -1;
constexpr int32_t kSystemColorBase = 0x40000000;

constexpr int32_t RgbColor(int r, int g, int b) { return (r << 16) | (g << 8) | b; }

constexpr int32_t kColorRed = RgbColor(255, 0, 0);
constexpr int32_t kColorGreen = RgbColor(0, 128, 0);
constexpr int32_t kColorFuchsia = RgbColor(255, 0, 255);
constexpr int32_t kColorYellow = RgbColor(255, 255, 0);
constexpr int32_t kColorButtonFace = kSystemColorBase + 0;
constexpr int32_t kColorButtonShadow = kSystemColorBase + 1;
constexpr int32_t kColorGrayText = kSystemColorBase + 2;
constexpr int32_t kColorWindowText = kSystemColorBase + 3;
constexpr int32_t kColorWindow = kSystemColorBase + 4;

// The colour to paint with; an unset colour resolves to an invalid QColor.
QColor ResolveColor(int32_t color, const QPalette& palette = QPalette());
// The program's own light colours. The windows that show tables and the
// printed page use them whatever the desktop's theme: the state colours are
// chosen for a light background, and grey text on it stays readable.
QPalette LightPalette();

// The contrast ratio of two colours, 1 to 21, as WCAG measures it.
double Contrast(const QColor& a, const QColor& b);
// The text colour, darkened (or on a dark background lightened) until it
// keeps a contrast of 4.5:1 to the background.
QColor ReadableOn(const QColor& text, const QColor& background);

// The RGB value of a QColor (alpha dropped).
int32_t ColorFromQColor(const QColor& color);
