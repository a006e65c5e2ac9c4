// materials.h -- the picture generator's palette: two or three shades per material, lit from the
// upper left, shared by the room, the figures and the props so that they look like one evening.
#pragma once

#include "tools/canvas.h"

namespace material {
inline constexpr TRgb OUTLINE{38, 22, 16}; // the dark one-pixel outline of figures and props
inline constexpr TRgb SHADOW{74, 46, 28};  // a shadow cast on the floor boards
inline constexpr TShades FLOOR{{96, 60, 36}, {130, 84, 50}, {148, 98, 60}};
inline constexpr TRgb FLOOR_SEAM{78, 48, 30};
inline constexpr TShades PLASTER{{188, 148, 100}, {212, 176, 124}, {226, 194, 146}};
inline constexpr TShades DARK_WOOD{{62, 34, 22}, {96, 54, 32}, {124, 74, 44}};
inline constexpr TShades CHAIR_WOOD{{72, 38, 24}, {112, 62, 36}, {146, 88, 52}};
inline constexpr TShades CUSHION{{104, 26, 30}, {150, 42, 44}, {184, 70, 64}};
inline constexpr TShades LINEN{{196, 178, 142}, {228, 216, 186}, {246, 238, 216}};
inline constexpr TShades LINEN_DRAPE{{160, 140, 106}, {186, 166, 128}, {206, 188, 150}};
inline constexpr TShades BRASS{{120, 84, 30}, {176, 132, 52}, {226, 190, 96}};
inline constexpr TShades IRON{{34, 30, 30}, {62, 56, 54}, {96, 88, 84}};
inline constexpr TShades CANDLE{{214, 196, 150}, {238, 226, 190}, {252, 246, 226}};
inline constexpr TRgb FLAME_OUTER{236, 120, 30};
inline constexpr TRgb FLAME_INNER{255, 206, 80};
inline constexpr TRgb FLAME_CORE{255, 250, 210};
inline constexpr TShades CHINA{{176, 176, 186}, {226, 226, 230}, {252, 252, 250}}; // plates
inline constexpr TShades ROAST{{104, 52, 24}, {150, 82, 38}, {196, 126, 62}};
inline constexpr TShades GREENS{{40, 92, 34}, {70, 140, 52}, {120, 186, 80}};
inline constexpr TShades CARROT{{176, 76, 20}, {226, 120, 36}, {250, 170, 80}};
inline constexpr TShades BREAD{{150, 96, 40}, {196, 140, 70}, {230, 186, 110}};
inline constexpr TShades WINE{{70, 12, 30}, {120, 24, 48}, {170, 50, 70}};
inline constexpr TShades STEAM{{196, 196, 200}, {224, 224, 228}, {244, 244, 246}};
} // namespace material
