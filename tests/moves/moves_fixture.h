#pragma once
// Builds the tables the move searches read (crossings, arcs, sides, passages, regions) from a Gauss code,
// and applies any candidate by its rewrite, for the move tests.

#include <memory>
#include <optional>
#include <string>

#include "model/gauss_code.h"
#include "model/sides.h"
#include "model/structure.h"
#include "model/tables.h"
#include "moves/gauss_rewrite.h"
#include "moves/move_search.h"
#include "platform/codes.h"
#include "platform/headless_ui.h"

namespace trevalon::movetest {

// The diagram of a code with passages and regions, or nullptr when the engine refuses the code.
inline std::unique_ptr<Diagram> costruisci(const std::string& gauss, const std::string& letters) {
    auto d = std::make_unique<Diagram>();
    d->txtNodo = gauss;
    d->TxtOri = letters;
    AutomaticUi ui;
    if (!StrutturaDaCodice(*d, ui)) return nullptr;
    return d;
}

enum class Mossa { I, II };

// A move II that reroutes a strand over or under a bigon's side (kind "M").
inline bool diTipoM(const MossaScelta& m) {
    return m.TipoCandidato == MoveIIRewrite::M;
}
// Applies a candidate by the rewrite the drivers use for it.
inline std::optional<TestoNodo> applica(const Diagram& d, Mossa kind, const MossaScelta& m, int& conta) {
    if (kind == Mossa::I) return NuovoNodoDaRic(TestoDi(d), m);
    if (diTipoM(m)) return NuovoNodoDaMan(TestoDi(d), m);
    return NuovoNodoDaPonteB(TestoDi(d), m, d, conta);
}

// Crossings a candidate should leave.
inline int incrociAttesi(const Diagram& d, Mossa kind, const CandidatoMossa& c) {
    if (kind == Mossa::I) return d.NumIncroci - 1 - c.nA;
    if (diTipoM(c.mossa)) return d.NumIncroci - 2;
    return d.NumIncroci - std::max(c.nA, c.nB) + std::min(c.nA, c.nB);
}

// The step viewer's answers as the scripted interface takes them.
using Risposte = decltype(ScriptedUi::viewerAnswers);
inline constexpr ViewerAnswer kApplica = ViewerAnswer::Sel;
inline constexpr ViewerAnswer kPassa = ViewerAnswer::None;
inline constexpr ViewerAnswer kFerma = ViewerAnswer::Int;

// `passate` candidates passed over, then the next applied.
inline Risposte passaPoiApplica(std::size_t passate) {
    Risposte r(passate, kPassa);
    r.push_back(kApplica);
    return r;
}

}  // namespace trevalon::movetest
