// Names and colours the whole program shares.
#pragma once

#include <cstdint>

namespace kaleno {

// What module windows append to their caption (" - Kaleno").
inline constexpr char kAppTitle[] = "Kaleno";
// What the launcher's caption and status line start with.
inline constexpr char kProductName[] = "Kaleno";
// Background of the note panels (tips, illusion instructions), R 255, G 255, B 235.
inline constexpr uint8_t kNoteRed = 255, kNoteGreen = 255, kNoteBlue = 235;

} // namespace kaleno
