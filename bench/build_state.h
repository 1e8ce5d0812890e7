#pragma once
// Everything one build of a diagram's picture needs, kept between builds as a main window keeps it.

#include "layout/build.h"

namespace trevalon::bench {

using Banco = BancoCostruzione;

}  // namespace trevalon::bench
