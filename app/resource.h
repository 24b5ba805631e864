// Resource identifiers of Veskora.exe, shared by the .rc and the code.
#pragma once

// The program's icon: the window's and the file's, the first in the file.
#define IDI_VESKORA 1
