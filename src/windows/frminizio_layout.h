// frminizio_layout.h: the start window in twips.
#pragma once

#include "toolkit/form.h"
#include "toolkit/layout.h"

namespace windows::inizio_layout {

using toolkit::ControlKind;

inline constexpr toolkit::FormSpec kForm{"frminizio", "Cifrotto", 6030, 6495, 0x80C0FF};
inline constexpr toolkit::FontSpec kComic12{toolkit::FontFace::Comic, 12, false};

inline constexpr std::array<toolkit::ControlSpec, 5> kControls{{
    {.kind = ControlKind::Picture,
     .name = "Picture1",
     .rect = {1080, 240, 3855, 5055},
     .tabIndex = 0,
     .background = 0x80C0FF,
     .picture = ":/artwork/inizio.svg"},
    {.kind = ControlKind::Button,
     .name = "cmdistruzioni",
     .rect = {2280, 5520, 1455, 495},
     .tabIndex = 1,
     .caption = "&Istruzioni",
     .font = kComic12},
    {.kind = ControlKind::Button,
     .name = "cmdesci",
     .rect = {4440, 5520, 1455, 495},
     .cancel = true,
     .tabIndex = 2,
     .caption = "&Esci",
     .font = kComic12},
    {.kind = ControlKind::Button,
     .name = "cmdcomincia",
     .rect = {120, 5520, 1455, 495},
     .tabIndex = 3,
     .caption = "&Comincia",
     .font = kComic12},
    {.kind = ControlKind::Picture,
     .name = "Image1",
     .rect = {120, 6240, 1230, 165},
     .background = 0x80C0FF,
     .picture = ":/artwork/striscia.svg"},
}};

} // namespace windows::inizio_layout
