#pragma once
// The program's own libraries that start-up does not need (the chart windows, the listings and the
// printouts) are loaded the first time they are used, from the folder the dynamic linker found
// talvero_ui in: the build tree's lib/, or TALVERO_INSTALL_LIBDIR installed or unpacked.

#include "ui/export.h"

#include <QString>
#include <QtGlobal>

#include <type_traits>

namespace ui {

// The folder talvero_ui was loaded from.
UI_EXPORT QString libraryFolder();

// The library file `file` in libraryFolder().
UI_EXPORT QString libraryPath(const char* file);

// The entry `name` of the library file `file` in libraryFolder(), loaded on first use (and kept);
// null, after an error box, when the library or the entry cannot be found.
UI_EXPORT QFunctionPointer libraryEntry(const char* file, const char* name);

// LazyEntry<File, Name, decltype(&Name)>::call has the entry's signature and calls it in its
// library, loaded on the first call. A library that cannot be loaded returns a zero value.
template <const char* File, const char* Name, typename F> struct LazyEntry;

template <const char* File, const char* Name, typename R, typename... Args>
struct LazyEntry<File, Name, R (*)(Args...)> {
    static R call(Args... args) {
        static R (*entry)(Args...) = nullptr;
        if (!entry) entry = reinterpret_cast<R (*)(Args...)>(libraryEntry(File, Name));
        if (!entry) {
            if constexpr (std::is_void_v<R>)
                return;
            else
                return R{};
        }
        return entry(args...);
    }
};

} // namespace ui
