// frmfine_layout.h: the end-of-game window in twips.
#pragma once

#include "toolkit/form.h"
#include "toolkit/layout.h"

namespace windows::fine_layout {

using toolkit::ControlKind;

// The question's top in twips, under the message; with no message, it rises.
inline constexpr int kQuestionTop = 840;
inline constexpr int kRaisedQuestionTop = 480;

inline constexpr toolkit::FormSpec kForm{"frmfine", "Cifrotto", 2940, 1755, 0x80C0FF};

inline constexpr std::array<toolkit::ControlSpec, 4> kControls{{
    {.kind = ControlKind::Button,
     .name = "cmdsi",
     .rect = {360, 1200, 855, 375},
     .tabIndex = 0,
     .caption = "&Sì"},
    {.kind = ControlKind::Button,
     .name = "cmdno",
     .rect = {1680, 1200, 855, 375},
     .cancel = true,
     .tabIndex = 1,
     .caption = "&No"},
    {.kind = ControlKind::Label,
     .name = "lblmessaggio",
     .rect = {360, 120, 2175, 495},
     .tabIndex = 2,
     .font = {toolkit::FontFace::Comic, 20.25, true},
     .foreground = 0xFF0000,
     .background = 0x80C0FF},
    {.kind = ControlKind::Label,
     .name = "lbldomanda",
     .rect = {480, kQuestionTop, 1935, 255},
     .tabIndex = 3,
     .caption = "Un'altra partita?",
     .background = 0x80C0FF},
}};

} // namespace windows::fine_layout
