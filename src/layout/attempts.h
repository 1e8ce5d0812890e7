#pragma once
// The layout attempts of a build, in their order: the first that routes gives the drawing. Each attempt
// lays the diagram out again from its code, so attempts do not depend on one another, and the attempts
// after the first can run at once on other cores, each on a diagram and layout state of its own. The one
// kept is still the first in order that routes, and the diagram and state are left as making the attempts
// one after the other leaves them.

#include <cstddef>
#include <functional>
#include <vector>

#include "layout/layout_state.h"
#include "model/tables.h"

namespace trevalon {

enum class EsitoTentativo {
    Riuscito,   // the layout routed
    Fallito,    // it did not; the next attempt is made
    Interrompe  // it did not, and the attempts after it in its group are not made
};

// One attempt, made on d and s; the index is its place in the plan.
using EseguiTentativo = std::function<EsitoTentativo(Diagram& d, LayoutState& s, std::size_t indice)>;

// The attempts of a plan: each one's group (an attempt that interrupts skips the rest of its group).
struct PianoTentativi {
    std::vector<int> gruppi;
    // The attempts after the first may run at once: no developer aid watches the layout, no dump is
    // written, and the diagram is large enough for an attempt to take long.
    bool insieme = false;
    // The helper threads at most; -1: one fewer than the machine's cores, none on fewer than three.
    int aiutanti = -1;
    // The attempts after the first start as soon as the first one's first routing fails, while it widens
    // and routes again, rather than once it has ended.
    bool subito = false;
};

// The attempts at once serve a diagram of this many crossings and more: below it an attempt takes a
// fraction of a millisecond and the first one nearly always routes.
inline constexpr int kIncrociTentativiInsieme = 60;

// The attempts after the first start as soon as the first one's first routing fails for a diagram of this
// many crossings and more: its chain of widenings takes longer than starting the helpers, and the first
// attempts that fail there mostly fail in the end too. Below it, stopping helpers half way through their
// first spread, when the first attempt routes after all, costs more than they save.
inline constexpr int kIncrociAvvioSubito = 200;

// Makes the attempts of the plan in order until one routes: its index, or -1 when none does. The first
// attempt is made on d and s themselves; when the attempts after it run at once (from the first one's end,
// or from its first failed routing), this thread serves s's progress and stop request while it waits for them
// (a stop is met as `LayoutFermato`, once every attempt has ended), and an exception of an attempt is met
// where the attempts in order would meet it. When one routes, d and s are its diagram and state; when none
// does, they are those of an attempt that failed.
int TentaInOrdine(Diagram& d, LayoutState& s, const PianoTentativi& piano, const EseguiTentativo& esegui);

}  // namespace trevalon
