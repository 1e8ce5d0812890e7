#pragma once
// The move III driver, the combined simplification step and the breadth-first search over horizontal
// moves. The search files the diagrams it reaches in a tree and tests each in the look-ahead instance of
// the main window (a second engine object with the automatic port and no widgets), which rebuilds the
// diagram from its code and runs the move searches there.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "moves/bridge_rewrite.h"
#include "moves/bridge_search.h"
#include "moves/compare.h"
#include "moves/move_drivers.h"
#include "moves/tree_records.h"

namespace trevalon {

inline constexpr long kMaxListaUg = 500000;  // tree records after the root
inline constexpr long kMaxElaborati = 1000;  // diagrams chosen along a run

// The message of a horizontal search that found nothing: "No move  was found", and beside it, when the
// search tree stopped at one of its limits (`motivo`), that limit: a move may lie beyond it.
std::string testoNessunaMossa(const std::string& motivo);
// The sentence that says the search stopped at `motivo`, a limit, set off by a blank line; empty when
// `motivo` is (the search looked at every diagram).
std::string testoLimite(const std::string& motivo);
inline constexpr int kMaxProfondita = 332;  // nothing is filed once the last record is deeper

// The search tree and the chosen list, shared by the main window and its look-ahead instance. Duplicate
// tests use the canonical forms of the codes (any reading from any passage, either direction).
// The sets of codes keep their cache lines apart.
// NOLINTNEXTLINE(clang-analyzer-optin.performance.Padding)
class AlberoOrizzontale {
  public:
    AlberoOrizzontale() : codici_(kMaxListaUg + 1), scelti_(kMaxElaborati) {}

    // The tree with only the root, the given diagram.
    void azzera(const std::string& codice, const std::string& ori);
    // Empties the tree but keeps its root (the driver before its second search).
    void svuota();
    // Empties the chosen list (a knot opened, undo to step 0).
    void svuotaElaborati();

    long NumListaUg() const { return tblListaUg_.size() - 1; }
    // A record with its texts (written again from the compact record: keep what is read often).
    NodoLista record(long i) const;
    // The fields of a record that the search reads often, without its texts.
    long padre(long i) const { return tblListaUg_.padre(controlla(i)); }
    int profondita(long i) const { return tblListaUg_.profondita(controlla(i)); }
    std::int64_t numGiro(long i) const { return tblListaUg_.numGiro(controlla(i)); }
    // The code and letters of a record without its names, for threads that examine records while the tree
    // is closed (chiuso(): nothing is added meanwhile).
    void codiceELettere(long i, std::string& codice, std::string& ori, std::vector<int>& lavoro) const {
        tblListaUg_.codiceELettere(controlla(i),
                                   i == 0 ? std::string_view() : codici_.chiave(tblListaUg_.chiaveDi(i)),
                                   codice, ori, lavoro);
    }
    // Its passages straight from its key, when it is kept as a reading of it (RecordAlbero::passiELettere).
    bool passiELettere(long i, std::vector<int>& passi, std::string& ori) const {
        const long r = controlla(i);
        return r != 0 && tblListaUg_.passiELettere(r, codici_.chiave(tblListaUg_.chiaveDi(r)), passi, ori);
    }
    // The crossing names of a record by crossing, index 0 the empty name; valid until the next call.
    const std::vector<std::string>& nomi(long i) const { return tblListaUg_.nomi(controlla(i)); }
    void impostaNumGiroRadice(std::int64_t n) { tblListaUg_.impostaNumGiroRadice(n); }
    long CursoreListaUg = 0;
    long NumElaborati() const { return static_cast<long>(tblElaborati_.size()); }
    const NodoLista& elaborato(long i) const { return tblElaborati_.at(static_cast<std::size_t>(i - 1)); }

    bool giaNellAlbero(const std::string& codice) const { return codici_.contiene(codice); }
    bool giaScelto(const std::string& codice) const { return scelti_.contiene(codice); }
    // The same two for a key already computed (chiaveCanonica). These two may be asked from other threads
    // while the tree's own thread files records (archivia); the chosen list must not change meanwhile.
    bool chiaveNellAlbero(std::string_view chiave) const { return codici_.contieneChiave(chiave); }
    bool chiaveScelta(std::string_view chiave) const { return scelti_.contieneChiave(chiave); }
    // chiaveNellAlbero in two steps (InsiemeCodici::anticipa), with the key's hashChiave.
    void anticipaNellAlbero(std::size_t hash) const { codici_.anticipa(hash); }
    bool chiaveNellAlbero(std::string_view chiave, std::size_t hash) const {
        return codici_.contieneChiave(chiave, hash);
    }
    // chiaveScelta with the key's hashChiave.
    bool chiaveScelta(std::string_view chiave, std::size_t hash) const {
        return scelti_.contieneChiave(chiave, hash);
    }
    // Files a child of the record being expanded; false (with the reason in motivo()) when a limit stops it.
    bool archivia(const NodoLista& nodo);
    // The same with the canonical key of its code already computed.
    bool archivia(const NodoLista& nodo, std::string_view chiave);
    // The same for a child given by parts: its code as `lettura` of its key (or, without it, as the text
    // in Codice), its letters as lettereCompatte writes them and its names; Ori and Nomi of `nodo` are not
    // read.
    bool archivia(const NodoLista& nodo, std::string_view chiave, const LetturaChiave* lettura,
                  std::string_view lettere, const NomiCompatti& nomi);
    // Files a chosen diagram; false when the chosen list is full.
    bool scegli(const NodoLista& nodo);

    // The stop request reached the search: it ends with no move.
    bool fermato = false;
    // Why the tree stopped growing, or empty.
    const std::string& motivo() const { return motivo_; }
    // The tree has refused a record at one of its limits, and will refuse every further one.
    bool chiuso() const { return chiuso_; }

  private:
    // False, with the reason in motivo(), when the tree may take no further record.
    bool spazioNellAlbero();
    long controlla(long i) const;

    RecordAlbero tblListaUg_;
    std::vector<NodoLista> tblElaborati_;
    InsiemeCodici codici_;
    InsiemeCodici scelti_;
    std::string motivo_;
    bool chiuso_ = false;
};

// What the move III driver needs of a main window beyond the move I and II drivers.
class FinestraPonte : public FinestraMosse {
  public:
    virtual AlberoOrizzontale& albero() = 0;
    // The look-ahead instance, created on first use and kept; it shares the tree. Only the main window
    // is asked for it.
    virtual FinestraPonte& prova() = 0;
    // The stop request of the search frame ("Cancel" pressed, or the window closing).
    virtual StopRequest& RichiestaStop() = 0;
    // Ends the complete run (the horizontal search found nothing).
    virtual void fineCorsaCompleta() = 0;
    // Look-ahead instance: takes a diagram handed over and builds it in automatic mode; false when the
    // build failed.
    virtual bool caricaConsegna(const std::string& codice, const std::string& ori,
                                const std::string& nomi) = 0;
    // The same, built only as far as the move I and II searches read it (without the region distances
    // that the bridge searches read), for a record whose horizontal moves are not listed.
    virtual bool caricaConsegnaPerMosse(const std::string& codice, const std::string& ori,
                                        const std::string& nomi) {
        return caricaConsegna(codice, ori, nomi);
    }
    virtual void evidenziaPonte(const CandidatoPonte&) {}
    // One more record of the search tree examined: the window's progress moves.
    virtual void progresso() {}
    // Look-ahead instances of their own for threads that examine tree records side by side, or none (the
    // records are then examined in turn). They share nothing with the window: no tree, no events, no stop
    // request. Only the main window is asked for them.
    virtual std::vector<FinestraPonte*> proveIsolate() { return {}; }
    // The combined step is running (read back through opzioni().PassoCombinato).
    virtual void impostaPassoCombinato(bool) = 0;
};

// State of the combined step and the driver, kept by the window between the driver's two searches.
struct StatoPonte {
    std::int64_t CandidatoScelto = -1;
    bool SoloMossaIII = false;
    bool MossaIIIRifiutata = false;
    LimitiPonte limiti;
};

struct RisultatoPonte {
    EsitoDriver esito = EsitoDriver::NessunCandidato;
    int NumCandidati = 0;
    ViewerAnswer EsitoDialogo = ViewerAnswer::None;
    MoveKind mossaTipo = MoveKind::None;  // the kind of the applied move
    bool orizzontale = false;             // the applied move III was a horizontal one
    std::string motivo;                   // why the horizontal search ended without a move, when it did
    bool fermato = false;                 // the stop request ended the search
    std::string limite;                   // the limit that ended the horizontal search, when one did
};

// The move III chosen in the viewer applied with the sign pair (ab1, the other): the code rewritten and
// handed to the window, or the failure said; the outcome in `r`.
void ApplicaPonte(FinestraPonte& w, const MossaScelta& mossa, char ab1, RisultatoPonte& r);
// A search the person stopped in the viewer (esito `Int`): the diagram drawn again, "Done" said and the
// outcome in `r`; false, doing nothing, for any other answer.
bool ChiudiSeInterrotta(FinestraPonte& w, const OpzioniMosse& o, ViewerAnswer esito, RisultatoPonte& r);

// A candidate of the horizontal search rewritten for the search tree: its passages, the value of the
// counter of new crossings before it (its new crossings are named from primoNuovo + 1 on) and the
// canonical key of its diagram.
struct CandidatoRiscritto {
    PassaggiRiscritti passaggi;
    int primoNuovo = 0;
    std::string chiave;
    // Its texts and names, as a child of the tree record at `cursore`.
    NuovoNodo nodo(const RiscritturaPonte& r, long cursore) const {
        return r.nodo(passaggi, primoNuovo, cursore);
    }
};
// The candidate rewritten (`riscrittura` prepared for w's diagram), numbered (the window's counter of new
// crossings moved past the crossings it makes) and keyed; nullopt, the counter left alone, for a rewrite
// that is refused or leaves no crossing.
std::optional<CandidatoRiscritto> riscriviCandidato(FinestraMosse& w, RiscritturaPonte& riscrittura,
                                                    const CandidatoPonte& c);

// The context of a window's move III search: its interface and mode, its main grid and stop request, the
// limits of the state, the debug dumps, and the window's highlighting of each candidate.
ContestoPonte contestoPonte(FinestraPonte& w, const StatoPonte& s);

// AzionePonte: move I first (unless only move III is asked), then over- and under-bridges; applies the
// chosen candidate and records the step. Horizontal mode ("=") with Diretta and nothing shown runs the
// breadth-first look-ahead over the tree and then takes the first horizontal move of the way found.
RisultatoPonte AzionePonte(FinestraPonte& w, StatoPonte& s, BridgeKind minUg, bool Diretta);

// CmdTpon_Click: move III only.
RisultatoPonte CmdTpon_Click(FinestraPonte& w, StatoPonte& s);

// CmdTpon2_Click: one simplification step: move I, else move III, else move II, else the horizontal search.
RisultatoPonte CmdTpon2_Click(FinestraPonte& w, StatoPonte& s);

}  // namespace trevalon
