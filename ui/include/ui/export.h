#pragma once
// The ui seams are shared libraries (talvero_ui_core and talvero_ui) so the program and every
// library it loads share one printer, one message path, one modal path, one help state and one
// today. The build hides symbols by default; what other libraries call carries UI_EXPORT.

#if defined(__GNUC__) || defined(__clang__)
#define UI_EXPORT __attribute__((visibility("default")))
#else
#define UI_EXPORT
#endif
