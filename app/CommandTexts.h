// CommandTexts: what a command's translated string says in the status bar and
// in a tool tip, and which string the menu help of a menu item shows.
#pragma once

#include <windows.h>

#include "foundation/EString.h"

// The command's string resource translated into the UI language; the string
// itself when the dictionary has no text for it, empty when there is none.
EString CommandText(UINT id);

// A command's text is its status-bar help, a backslash-n pair and its tool tip.
// The tool tip: what follows the first pair, cut to the 79 characters a tool
// tip's text field holds; empty when there is no pair.
EString CommandToolTip(const EString& text);
// The status-bar help: what precedes the first pair; empty when there is no pair.
EString CommandStatusHelp(const EString& text);

// The string whose help a selected menu item shows: system commands share the
// strings of their group, every recent document the prompt of the list, and
// ids too high for a command the string of an unknown command.
UINT MenuHelpStringId(UINT id);
