// The program's version: every version number and string in the file's
// version information comes from here.
#pragma once

#define VESKORA_VERSION_MAJOR 1
#define VESKORA_VERSION_MINOR 0
#define VESKORA_VERSION_PATCH 0
#define VESKORA_VERSION_BUILD 0

#define VESKORA_STRINGIFY_(x) #x
#define VESKORA_STRINGIFY(x) VESKORA_STRINGIFY_(x)
#define VESKORA_VERSION_STRING                                          \
    VESKORA_STRINGIFY(VESKORA_VERSION_MAJOR)                            \
    "." VESKORA_STRINGIFY(VESKORA_VERSION_MINOR) "." VESKORA_STRINGIFY( \
        VESKORA_VERSION_PATCH) "." VESKORA_STRINGIFY(VESKORA_VERSION_BUILD)

#define VESKORA_PRODUCT_NAME "Veskora"
#define VESKORA_FILE_DESCRIPTION "Veskora - pulses per millimetre for belt drives"
#define VESKORA_FILE_NAME "Veskora.exe"
#define VESKORA_COPYRIGHT "Copyright (C) the Veskora developers"
