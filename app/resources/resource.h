// Resource names shared by the resource script and the code.
#pragma once

// The program's icon: one 64 x 64 image at 32 bits per pixel.
#define TAVREL_ICON_NAME L"DEFAULT_ICON"
