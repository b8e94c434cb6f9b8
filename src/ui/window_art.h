#pragma once

#include <QIcon>
#include <QImage>

// The pictures stored with the main window and the program icon, compiled in as resources.
namespace window_art {

// Stored as raw pixels (see tools/window_art), so that showing them decodes nothing.
inline constexpr const char* logo = ":/art/logo.argb";            // 193 x 121
inline constexpr const char* machine = ":/art/machine.argb";      // 89 x 97
inline constexpr const char* fmpac = ":/art/fmpac.argb";          // 106 x 150
inline constexpr const char* scc = ":/art/scc.argb";              // 122 x 42
inline constexpr const char* icon = ":/art/veldrun-icon-64.argb"; // 64 x 64

// Registers the resources; the library that holds them is static, so nobody else does.
void init();

QImage picture(const char* resource);
QIcon programIcon();

} // namespace window_art
