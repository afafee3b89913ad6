// The German help: bundled HTML pages shown in one help window.
#pragma once

// Help contexts of the controls and menu items.
constexpr int HelpContents = 0;
constexpr int HelpExportEditor = 5;
constexpr int HelpImportEditor = 6;
constexpr int HelpSaving = 11;
constexpr int HelpEditing = 12;

// Shows the contents (HelpContents) or the topic of a help context.
void ShowHelp(int context);
// The page address of a help context, for tests.
const char* HelpAddress(int context);
