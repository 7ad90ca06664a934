// Tool-bar button images (16 x 15) and the application icon (32 x 32), as XPM text.
#pragma once

extern const char* const kOpenXpm[];
extern const char* const kDrawBoxXpm[];
extern const char* const kAboutXpm[];
extern const char* const kIconXpm[];
