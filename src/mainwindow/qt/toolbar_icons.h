#pragma once
// The pictures of the main toolbar, drawn by the program, by image key ("Apri", "Salva", "m1", ...).

#include <QIcon>
#include <string_view>

namespace trevalon {

QIcon toolbarIcon(std::string_view imageKey);

}  // namespace trevalon
