#pragma once
// The structure of a diagram whose arcs, crossings and side tables are built: the passage table, the
// regions with the region graph, and the shortest region paths; and the pipeline that builds all three.

#include <string>

#include "model/model_settings.h"
#include "model/tables.h"
#include "platform/ports.h"
#include "platform/result.h"

namespace trevalon {

// Passage walk: passage k is the one arc k leaves, starting at crossing 1 with arc 1. Writes NumGemelli,
// every passage, GemSopra/GemSotto of every crossing and GemelloDa/GemelloA of every arc; StampaGemelli.
// Refuses more than kMaxGemelli passages, and stops when the crossing reached does not hold the next arc.
// A step that fails leaves the tables it had begun not to be used.
Status GeneraCodGem(Diagram& d, const ModelSettings& settings = {});

// GeneraCodGem, then StampaIncroci and StampaArchi.
Status CmDConvertiGemelli_Click(Diagram& d, const ModelSettings& settings = {});

// The code of the face at side tmpDirez of crossing tmpIncr: its arcs as three-digit numbers in ascending
// text order, each followed by ",", the whole preceded by "," (",001,004,007,"). Empty when the side tables
// do not close the face (an arc not held by the crossing at its other end).
std::string GeneraPerimetro(const Diagram& d, int tmpIncr, int tmpDirez);

// The regions: every distinct face code in ascending order as CodRegione(1..NumRegioni), the two regions
// beside every arc (Reg1, Reg2), and MatRegioni cleared and its arco filled; then the dumps.
Status GeneraGrafoDuale(Diagram& d, const ModelSettings& settings = {});
inline Status CmdGrafoReg_Click(Diagram& d, const ModelSettings& settings = {}) {
    return GeneraGrafoDuale(d, settings);
}

// Breadth-first shortest paths of the region graph from every start region da..ad into MatRegioni dis, cam
// and reg (one path per pair; with tmpCompleto also every further shortest path to v that can lie on a
// path of length newDist to region Nd2, by row Nd2 of dis). Returns false when a cap of the settings
// (maxCodaCammini, maxTestoCammini) left paths out.
// Regions outside 1..NumRegioni are not started from.
bool GeneraCamminoMinimo(Diagram& d, int da, int ad, bool tmpCompleto, int newDist, int Nd2,
                         const ModelSettings& settings = {});
inline bool CmdCammino_Click(Diagram& d, const ModelSettings& settings = {}) {
    return GeneraCamminoMinimo(d, 1, d.NumRegioni, false, 0, 0, settings);
}

// Breadth-first distances of the region graph between every two regions into MatRegioni dis only, the
// same as GeneraCamminoMinimo over all regions writes them, without the path texts cam and reg (which
// stay empty). This is all the move searches read of the shortest paths.
void GeneraDistanzeRegioni(Diagram& d);

// The structure pipeline: passages, regions and the region graph, all shortest region paths. Stops at the
// first step that fails.
Status Cmdgecare_Click(Diagram& d, const ModelSettings& settings = {});

// What CostruisciStruttura writes of the shortest region paths: the path texts as the structure pipeline
// does, only the distances (GeneraDistanzeRegioni), which is all the move searches read, or nothing (every
// distance 0), which the move I and II searches do not read.
enum class CamminiRegioni { Testi, SoloDistanze, Nessuno };

// The whole structure of the diagram of d.txtNodo and d.TxtOri, as the searches need it and without any
// layout: the code check (its fault lines also shown through ui), the crossing and arc tables, the base
// side tables and the structure pipeline. Fails at the first step that fails, with that step's message.
Status StrutturaDaCodice(Diagram& d, MessagePort& ui, const ModelSettings& settings = {},
                         CamminiRegioni cammini = CamminiRegioni::Testi);

// The structure the move searches work on: StrutturaDaCodice with the code check quiet, no dumps and
// only the region distances (CamminiRegioni::SoloDistanze). A faulty code fails with its fault lines.
// Without conDistanze not even those (every dis stays 0): enough for the move I and II searches, which do
// not read them, but not for the bridge searches. Without conNomi a sound code's labels are not written
// into the empty crossing names, for a caller that empties every name after the build.
Status CostruisciStrutturaRicerca(Diagram& d, bool conDistanze = true, bool conNomi = true);

}  // namespace trevalon
