#pragma once
// The Gauss text after a move III or a horizontal move III: the bridge (a stretch of the strand given by
// its arcs) is taken away and the strand is laid along a route of regions that crosses a list of other
// arcs. The crossings inside the bridge disappear with both of their passages; every crossed arc gets one
// new crossing with the moved strand, whose passage on the strand comes right after the bridge's start
// crossing, in route order.

#include <string>
#include <vector>

#include "model/tables.h"
#include "moves/chosen_move.h"
#include "platform/result.h"

namespace trevalon {

// ShiftaTab: grows tmpT by one item and moves items da..Limite up one place; afterwards items da and
// da + 1 both hold the old item da, and the caller overwrites item da + 1. Limite becomes NewLimite =
// Limite + 1. Index 0 is not used. An index outside 1..Limite + 1 is refused (std::out_of_range).
void ShiftaTab(std::vector<std::string>& tmpT, long da, long& Limite, long& NewLimite);

// The diagram after the move, as texts.
struct NuovoNodo {
    // The rewrite removed every crossing and added none: the strand is a plain circle (the trivial knot).
    // txtNodo and TxtOri are then empty.
    bool nodoBanale = false;
    std::string txtNodo;
    std::string TxtOri;
    std::vector<std::string> nomi;  // names of crossings 1..n of the new text; index 0 unused
    int nuoviIncroci = 0;           // new crossings made (how far ContaNuoviIncroci moved)

    // NomiConsegna: "|" followed by each name and a "|".
    std::string NomiConsegna() const;
};

// The rewrite read from the diagram's texts and tables (txtNodo, TxtOri, NomiIncroci, archi IncrocioDa,
// Reg1, Reg2, incroci ArcoLato) and the move (ListaArchiMossa, ListaArchiAttraversati,
// ListaRegioniMossa). ab1 is the first sign of the pair the search used: '-' for an over-bridge (the
// strand passes over every arc it crosses), '+' for an under-bridge.
//
// The diagram is not changed. ContaNuoviIncroci grows by the number of new crossings only when the
// rewrite succeeds. New crossings are named by the counter; with `cursoreListaUg` >= 0 (a trial rewrite
// from a record of the horizontal search) by that record's index, "x" and the counter ("12x3").
//
// Refused (a failure saying why, counter unchanged): unreadable texts, a bridge arc or crossed arc that is
// not an arc of the diagram, an arc crossed twice, a crossed arc of the bridge itself (the bridge is gone, so
// it cannot be crossed), a region list that does not hold one region more than the crossed arcs, an anchor
// passage that is not in the text, more than kMaxIncroci crossings afterwards.
Result<NuovoNodo> NuovoNodoDaPonte(const Diagram& d, const MossaScelta& mossa, char ab1,
                                   int& ContaNuoviIncroci, long cursoreListaUg = -1);

}  // namespace trevalon
