#pragma once
// The Gauss text after a move III or a horizontal move III: the bridge (a stretch of the strand given by
// its arcs) is taken away and the strand is laid along a route of regions that crosses a list of other
// arcs. The crossings inside the bridge disappear with both of their passages; every crossed arc gets one
// new crossing with the moved strand, whose passage on the strand comes right after the bridge's start
// crossing, in route order.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/tables.h"
#include "moves/chosen_move.h"
#include "moves/relabel.h"
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

// The diagram after the move as passages, before any text is written: enough to tell whether a search
// has met the diagram already (chiaveCanonica) and to write its texts afterwards.
struct PassaggiRiscritti {
    bool nodoBanale = false;
    std::vector<VoceScifta> voci;  // new labels 1..n by first appearance, with their own signs
    std::vector<char> segniSucc;   // per passage, the sign the text writes after its label
    std::string TxtOri;
    std::vector<int> vecchie;  // per new label, the old label (new crossings: kEtichettaNuova + crossed arc)
    int nuoviIncroci = 0;
};

// The rewrite of one diagram prepared once for many moves: the horizontal search rewrites the same
// diagram along every route it lists. Reads the diagram (which must not change while this lives) as
// NuovoNodoDaPonte does, taking the bridge, the crossed arcs and the regions as numbers.
class RiscritturaPonte {
  public:
    static constexpr int kEtichettaNuova = 1000;  // temporary labels of new crossings: crossed arc + 1000

    explicit RiscritturaPonte(const Diagram& d);
    // The same for another diagram, in this object's tables: what the constructor makes, without making
    // its tables again for every diagram of a search.
    void prepara(const Diagram& d);

    // The rewrite up to its passages and letters, written into `e` (whose tables are reused), refused as
    // NuovoNodoDaPonte refuses. Without `conLettere` the letters (TxtOri) are left empty, for a caller that
    // first wants to know whether the diagram is new (the canonical key does not read them).
    Status passaggi(const std::vector<int>& ponte, const std::vector<int>& attraversati,
                    const std::vector<int>& regioni, char ab1, PassaggiRiscritti& e, bool conLettere = true);
    // The canonical key (chiaveCanonica) of the passages passaggi would write and the new crossings they
    // would make, without writing them: what a search needs to tell whether it has met the diagram before.
    // Refused as passaggi refuses; with nodoBanale (no crossing left) the key is empty.
    Status chiave(const std::vector<int>& ponte, const std::vector<int>& attraversati,
                  const std::vector<int>& regioni, char ab1, std::string& chiave, int& nuoviIncroci,
                  bool& nodoBanale);
    // The letters of passages that passaggi wrote without them, from the same move.
    void lettere(const std::vector<int>& attraversati, const std::vector<int>& regioni, char ab1,
                 PassaggiRiscritti& e);
    // The texts and names of rewritten passages; the new crossings are numbered from primoNuovo + 1.
    NuovoNodo nodo(const PassaggiRiscritti& p, int primoNuovo, long cursoreListaUg) const {
        return nodo(p, primoNuovo, cursoreListaUg, d_->NomiIncroci);
    }
    // The same with the old crossings' names given (index 0 unused), for passages of another diagram.
    static NuovoNodo nodo(const PassaggiRiscritti& p, int primoNuovo, long cursoreListaUg,
                          const std::vector<std::string>& nomiVecchi);
    // Both steps, with the counter moved as NuovoNodoDaPonte moves it.
    Result<NuovoNodo> riscrivi(const std::vector<int>& ponte, const std::vector<int>& attraversati,
                               const std::vector<int>& regioni, char ab1, int& ContaNuoviIncroci,
                               long cursoreListaUg = -1);

    // A crossing of a text in pairs: its first and second passage and their own signs (1 for '+').
    struct Coppia {
        int primo = 0, secondo = 0, segnoPrimo = 0, segnoSecondo = 0;
    };

  private:
    // One item of the text: a label followed by the sign of the next passage; `origine` is the old passage
    // it comes from (0 for an inserted item).
    struct Voce {
        int label = 0;
        char segnoSucc = 0;
        int origine = 0;
    };

    // True when region `reg` lies on the right of arc e as it leaves crossing x at side `lato`: in the
    // corner between that side and the next one clockwise. That corner's face is the one walked from the
    // next side (the walk keeps its face on the left). The region beside the arc at the next side is not
    // enough: at a crossing with a curl the same region can lie in two corners.
    bool latoDestro(int x, int lato, int reg);
    // Steps 1 to 4 of the rewrite, shared by passaggi and chiave: the move checked, the items inserted and
    // deleted, the signs repaired; the surviving items' labels in text order in vivi_ (none: the trivial
    // knot).
    Status vive(const std::vector<int>& ponte, const std::vector<int>& attraversati,
                const std::vector<int>& regioni, char ab1);
    // The stages of vive. Step 1: the tables of the list grown to hold `totale` items, the old ones linked
    // as the text is; the inserted items come after them.
    void preparaLista(int nOld, std::size_t totale);
    // An inserted item linked in after item `dopo`.
    void inserisci(int dopo, int label, char segno);
    // Step 2: each crossed arc's two new passages inserted, one after the bridge's start crossing and one
    // on the arc; refused when the start crossing is not in the text.
    Status inserisciAttraversati(const std::vector<int>& ponte, const std::vector<int>& attraversati,
                                 char ab1, int nOld);
    // Steps 3 and 4: the bridge's crossings deleted and the survivors with their own signs left in vivi_
    // and propri_.
    void raccogliVive(const std::vector<int>& ponte, int nOld, std::size_t totale);
    // The old items linked and signed as the text is, after the rewrite.
    void ripristinaVecchie(int nOld);
    // A passage's own sign in the list: the sign written after the item before it.
    char segnoProprio(int i) const {
        return segni_[static_cast<std::size_t>(prima_[static_cast<std::size_t>(i)])];
    }
    // The old items whose label is x0, in text order.
    std::span<const int> posizioniVecchie(int x0, int nOld);
    // Steps 1 to 4 for a text each of whose labels is passed exactly twice, without the list: the
    // survivors in vivi_ and propri_ as vive leaves them. False (nothing decided) for a move it does not
    // cover, which vive then takes; else the outcome in `esito`.
    bool viveInCoppie(const std::vector<int>& ponte, const std::vector<int>& attraversati,
                      const std::vector<int>& regioni, char ab1, Status& esito);
    // An old passage's own sign: the sign written after the passage before it.
    char segnoVecchio(int k) const {
        return sorgente_[static_cast<std::size_t>(k == 1 ? static_cast<int>(voci_->size()) : k - 1)]
            .segnoSucc;
    }
    // The checks of viveInCoppie, with the start passage found; false as viveInCoppie.
    bool controllaInCoppie(const std::vector<int>& ponte, const std::vector<int>& attraversati,
                           const std::vector<int>& regioni, char ab1, Status& esito, int& inizio);
    // chiave for a text in pairs, read in one pass over the old passages from their partners and new
    // places without rewriting the text; false as viveInCoppie.
    bool chiaveInCoppie(const std::vector<int>& ponte, const std::vector<int>& attraversati,
                        const std::vector<int>& regioni, char ab1, std::string& chiave, int& nuoviIncroci,
                        Status& esito);
    // A new round of the label stamps, and a label's place in the tables by label.
    void nuovoGiro();
    std::size_t posto(int label);
    // A new crossing's label whose crossed arc starts at a crossing that holds it.
    Status incrocioNuovoValido(int label);
    // True when a new crossing on arc y has passed that check for this diagram already.
    bool arcoGiaValido(int y) const {
        return y >= 0 && static_cast<std::size_t>(y) < arcoValido_.size() &&
               arcoValido_[static_cast<std::size_t>(y)];
    }

    const Diagram* d_ = nullptr;
    std::optional<std::vector<VoceScifta>> voci_;
    std::vector<Voce> sorgente_;  // the old text's items 1..n (index 0 unused)
    // Working tables kept between rewrites: the items of the text being rewritten as a list (label, sign
    // written after it, old passage or 0, next and previous item), in the order they were made.
    std::vector<int> etichette_;
    std::vector<char> segni_;
    std::vector<int> origini_;
    std::vector<int> dopo_, prima_;
    std::vector<int> posizioniInizio_;
    std::vector<int> toccate_;                     // old items changed by the rewrite under way
    int libero_ = 0;                               // the next inserted item's place in the tables
    std::vector<int> posizioni_, primaPosizione_;  // old items by label: primaPosizione_[l] .. [l + 1]
    std::vector<int> riempite_;                    // prepara: each label's next place in posizioni_
    std::vector<int> grandi_;                      // deleted labels beyond the marking table
    std::vector<char> propri_;                     // the survivors' own signs
    std::vector<char> arcoValido_;                 // by arc: a new crossing on it has passed the check
    std::vector<int> passi_;     // chiave: each passage's steps to its partner and sign, then working space
    PassaggiRiscritti scritti_;  // chiave: the passages, for a code that is not in pairs
    std::vector<int> vivi_;
    std::vector<char> cancellate_;  // by label: the crossings inside the bridge (all 0 between rewrites)
    std::vector<int> nuovaDi_;      // new label per old label, valid where timbro_ is giro_
    std::vector<unsigned> timbro_;
    unsigned giro_ = 0;
    // The text in pairs: each old passage's partner, by crossing label whether it goes, by old passage
    // the crossed arc (1 + its place in the route) whose new passage follows it, by old passage the new
    // place of a crossing's first passage, the new passages' places on the strand and then on the crossed
    // arcs.
    bool inCoppie_ = false;
    std::vector<int> compagno_;
    std::vector<Coppia> coppie_;
    // chiaveInCoppie, by old passage: the places of the new text it and the new passages after it take
    // (1 between rewrites).
    std::vector<int> passo_;
    // The text in pairs: each arc's start crossing (IncrocioDa), and by crossing label its first passage
    // whose own sign is '-' ([0]) or '+' ([1]), 0 for none.
    std::vector<int> incrocioDa_;
    std::vector<int> inizioPerSegno_[2];
    std::vector<char> cancellataEt_;
    std::vector<int> inseritaDopo_, nuovaPosizione_, posizioniNuove_;
    // chiaveInCoppie: the new passages as bytes, written twice, when they fit; the backward reading.
    std::vector<std::uint8_t> passiByte_, dietroByte_;
    std::vector<int> regioneAngolo_;  // per crossing and side: the corner's region, 0 none, -1 not yet known
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
