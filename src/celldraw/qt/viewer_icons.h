#pragma once
// The pictures of the step viewer's toolbar, drawn by the program, by image key ("Applica",
// "Successivo", "interrompi", "Refresh", "Salva", "lentemeno", "lentepiu", "Ristruttura", "Stampa").

#include <QIcon>
#include <string_view>

namespace trevalon {

QIcon viewerIcon(std::string_view imageKey);

}  // namespace trevalon
