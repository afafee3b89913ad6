// The German help: bundled HTML pages shown in one help window.
#pragma once

// Help contexts of the controls and menu items.
constexpr int kHelpContents = 0;
constexpr int kHelpExportEditor = 5;
constexpr int kHelpImportEditor = 6;
constexpr int kHelpSaving = 11;
constexpr int kHelpEditing = 12;

// Shows the contents (HelpContents) or the topic of a help context.
void ShowHelp(int context);
// The page address of a help context, for tests.
const char* HelpAddress(int context);
