#pragma once
// A developer aid that shows nothing: installed, it makes the layout take the path a developer's view takes
// (the attempts in turn and whole, the corners flipped afresh after every flip), with nothing to watch.

#include <string>

#include "layout/developer_hook.h"

namespace trevalon::testsupport {

struct AiutoMuto : LayoutDeveloperHook {
    void marcaCella(const Diagram&, int, int, const std::string&) override {}
    void pausaPunto(const Diagram&, int, int, int) override {}
    void nodoIngrid(const LayoutState&) override {}
    void visCostruzione(const Diagram&, const LayoutState&, const std::string&, bool) override {}
};

}  // namespace trevalon::testsupport
