// Texts of the drive engine's messages from the string table.
#pragma once

#include "Framework.h"

// The text of a string id; empty when there is none.
CString LoadEngineText(UINT id);

// The text of a string id used as a printf-style format with the arguments.
// A replacement text (from a language file) whose placeholders differ from
// the program's own text is not used, because its placeholders would read
// the arguments as the wrong types; the program's own text is used instead.
CString FormatEngineText(UINT id, ...);

// The engine's one message box (the framework's, with the application's name
// as title): an error box unless another icon is given. Returns the button.
int ShowEngineMessage(LPCWSTR text, UINT type = MB_ICONERROR);

// The conversion letters of a format, in order ("%c ... %08X" gives "cX");
// "%%" is no placeholder.
CString FormatPlaceholders(LPCWSTR format);
