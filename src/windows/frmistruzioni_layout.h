// frmistruzioni_layout.h: the instructions window in twips, with the rules text.
#pragma once

#include "toolkit/form.h"
#include "toolkit/layout.h"

namespace windows::istruzioni_layout {

using toolkit::ControlKind;

inline constexpr toolkit::FormSpec kForm{"frmistruzioni", "Istruzioni", 6030, 6495, 0x80C0FF};

inline constexpr std::string_view kRules =
    "Il Cifrotto è un gioco in cui bisogna indovinare una combinazione casuale di colori "
    "seguendo le indicazioni che, di volta in volta, si ricevono. Se, immessa una serie di "
    "colori, alla sinistra di questi appaiono dei quadratini bianchi, significa che ci sono "
    "tanti colori giusti ma nella posizione sbagliata quanti sono i quadratini bianchi. Se i "
    "quadratini sono rossi vuol dire che ci sono dei colori giusti al posto giusto. Se i "
    "quadratini non sono colorati significa che i colori sono sbagliati. Ricorda che i colori "
    "non sono mai ripetuti. Buon divertimento!";

inline constexpr std::array<toolkit::ControlSpec, 3> kControls{{
    {.kind = ControlKind::Label,
     .name = "Label1",
     .rect = {480, 1800, 5055, 3135},
     .tabIndex = 0,
     .caption = kRules,
     .font = {toolkit::FontFace::Comic, 9.75, false},
     .background = 0x80FFFF,
     .border = true,
     .wordWrap = true},
    {.kind = ControlKind::Button,
     .name = "cmdok",
     .rect = {2520, 5880, 1095, 375},
     .cancel = true,
     .tabIndex = 1,
     .caption = "&OK"},
    {.kind = ControlKind::Picture,
     .name = "Picture1",
     .rect = {1560, 240, 2895, 855},
     .tabIndex = 2,
     .background = 0x80C0FF,
     .picture = ":/artwork/istruzioni.svg"},
}};

} // namespace windows::istruzioni_layout
