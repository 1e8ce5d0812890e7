#include "moves/bridge_driver.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <utility>

namespace trevalon {

void AlberoOrizzontale::azzera(const std::string& codice, const std::string& ori) {
    NodoLista radice;
    radice.Codice = codice;
    radice.Ori = ori;
    tblListaUg_.azzera(std::move(radice));
    codici_.svuota();
    codici_.aggiungi(codice);
    CursoreListaUg = 0;
    fermato = false;
    motivo_.clear();
    chiuso_ = false;
}

void AlberoOrizzontale::svuota() {
    const NodoLista root = tblListaUg_.record(0, [](std::uint32_t) { return std::string_view(); });
    azzera(root.Codice, root.Ori);
}

void AlberoOrizzontale::svuotaElaborati() {
    tblElaborati_.clear();
    scelti_.svuota();
}

long AlberoOrizzontale::controlla(long i) const {
    if (i < 0 || i > NumListaUg())
        throw std::out_of_range("no record " + std::to_string(i) + " in the search tree");
    return i;
}

NodoLista AlberoOrizzontale::record(long i) const {
    return tblListaUg_.record(controlla(i), [this](std::uint32_t k) { return codici_.chiave(k); });
}

bool AlberoOrizzontale::archivia(const NodoLista& nodo) {
    if (!spazioNellAlbero()) return false;
    auto chiave = chiaveCanonica(nodo.Codice);
    return chiave && archivia(nodo, *chiave);
}

std::string testoLimite(const std::string& motivo) {
    if (motivo.empty()) return {};
    return "\n\nThe search ended at a limit before it had looked at every diagram: " + motivo + ".";
}

std::string testoNessunaMossa(const std::string& motivo) {
    return "No move  was found" + testoLimite(motivo);
}

bool AlberoOrizzontale::spazioNellAlbero() {
    if (tblListaUg_.profondita(NumListaUg()) > kMaxProfondita) {
        motivo_ = "search depth limit reached";
        chiuso_ = true;
        return false;
    }
    if (NumListaUg() >= kMaxListaUg) {
        motivo_ = "search tree full (500,000 diagrams)";
        chiuso_ = true;
        return false;
    }
    return true;
}

bool AlberoOrizzontale::archivia(const NodoLista& nodo, std::string_view chiave) {
    if (!spazioNellAlbero()) return false;
    const std::size_t numero = codici_.size();
    if (codici_.aggiungiChiave(chiave) != InsiemeCodici::Esito::Aggiunto) return false;
    // The code kept as a reading of its key when it is one, else as its text.
    thread_local std::vector<int> lavoro;
    thread_local std::string scritto;
    LetturaChiave lettura;
    bool comeChiave = false;
    if (const auto voci = leggiVociScifta(nodo.Codice);
        voci && letturaDelCodice(*voci, chiave, lettura, lavoro))
        comeChiave = codiceDaChiave(chiave, lettura, scritto, lavoro) && scritto == nodo.Codice;
    const NomiCompatti nomi = NomiCompatti::daTesto(nodo.Nomi, nodo.IndicePadre,
                                                    nodo.IndicePadre >= 0 && nodo.IndicePadre <= NumListaUg()
                                                        ? tblListaUg_.nomi(nodo.IndicePadre)
                                                        : std::vector<std::string>{std::string()});
    lettereCompatte(nodo.Ori, scritto);
    tblListaUg_.aggiungi(nodo, static_cast<std::uint32_t>(numero), comeChiave ? &lettura : nullptr, scritto,
                         nomi);
    return true;
}

bool AlberoOrizzontale::archivia(const NodoLista& nodo, std::string_view chiave, const LetturaChiave* lettura,
                                 std::string_view lettere, const NomiCompatti& nomi) {
    if (!spazioNellAlbero()) return false;
    const std::size_t numero = codici_.size();
    if (codici_.aggiungiChiave(chiave) != InsiemeCodici::Esito::Aggiunto) return false;
    tblListaUg_.aggiungi(nodo, static_cast<std::uint32_t>(numero), lettura, lettere, nomi);
    return true;
}

bool AlberoOrizzontale::scegli(const NodoLista& nodo) {
    if (NumElaborati() >= kMaxElaborati) {
        motivo_ = "list of chosen diagrams full (1000)";
        return false;
    }
    scelti_.aggiungi(nodo.Codice);
    tblElaborati_.push_back(nodo);
    return true;
}

namespace {

bool trovata(const RisultatoDriver& r) {
    return r.ricerca.NumCandidati > 0;
}

// Prova1: depth-1 look-ahead: is there a move I, III or II from the handed-over diagram?
bool Prova1(FinestraPonte& p, const NuovoNodo& e) {
    if (!p.caricaConsegna(e.txtNodo, e.TxtOri, e.NomiConsegna())) return false;
    StatoPonte s;
    RisultatoPonte r = AzionePonte(p, s, BridgeKind::MoveIII, false);
    if (r.NumCandidati < 1) r.NumCandidati = DoTman(p, false).ricerca.NumCandidati;
    return r.NumCandidati > 0;
}

// Prova2: a tree record: a move I or II from it; its horizontal moves are filed as its children.
bool Prova2(FinestraPonte& p, const NodoLista& nodo) {
    if (!p.caricaConsegna(nodo.Codice, nodo.Ori, nodo.Nomi)) return false;
    if (trovata(DoTric(p, false))) return true;
    StatoPonte s;
    s.SoloMossaIII = true;  // move I was just tried
    AzionePonte(p, s, BridgeKind::Horizontal, false);
    if (p.albero().fermato) return false;
    return trovata(DoTman(p, false));
}

// ValidaCammino: files the candidate's diagram in the tree and, in the main window, looks one move ahead.
// `riscrittura` is the window's diagram prepared for the rewrites of its candidates.
bool ValidaCammino(FinestraPonte& w, RiscritturaPonte& riscrittura, const CandidatoPonte& c,
                   std::int64_t ordinale) {
    AlberoOrizzontale& t = w.albero();
    if (!w.opzioni().nascosta) t.impostaNumGiroRadice(ordinale);
    if (c.lungoIlPonte()) return false;
    w.ui().yieldToEvents();
    if (w.RichiestaStop().richiesta() || t.fermato) {
        t.fermato = true;
        return false;
    }
    if (const OpzioniMosse o = w.opzioni(); o.camminoSviluppo)
        if (const std::optional<bool> sviluppo = o.camminoSviluppo(w, riscrittura, c)) return *sviluppo;
    const std::optional<CandidatoRiscritto> r = riscriviCandidato(w, riscrittura, c);
    if (!r) return false;
    // The canonical key is computed once for both duplicate tests and the filing, from the passages: the
    // texts of a diagram met before are never written.
    const std::string& chiave = r->chiave;
    const bool visto = t.chiaveNellAlbero(chiave) || t.chiaveScelta(chiave);
    const bool nascosta = w.opzioni().nascosta;
    if (visto && nascosta) return false;
    const NuovoNodo e = r->nodo(riscrittura, t.CursoreListaUg);
    if (!visto) {
        NodoLista nodo;
        nodo.Codice = e.txtNodo;
        nodo.Ori = e.TxtOri;
        nodo.IndicePadre = t.CursoreListaUg;
        nodo.Mossa = c.indicePercorso;
        nodo.NumGiro = t.numGiro(t.CursoreListaUg);
        nodo.Profondita = t.profondita(t.CursoreListaUg) + 1;
        nodo.Nomi = e.NomiConsegna();
        t.archivia(nodo, chiave);
    }
    if (nascosta) return false;
    return Prova1(w.prova(), e);
}

// One tree record examined away from the tree (Prova2 without its filing): what it takes to file its
// children and tell its answer in the order the records are examined. The rewritten candidates are kept
// in two flat tables, so that a record costs a few allocations however many candidates it has.
struct EsameRecord {
    // Places and lengths in `byte` and `interi` in 32 bits: a round holds hundreds of thousands of children.
    struct Figlio {
        const char* chiaveFuori = nullptr;  // the key kept by the round's table of keys, or null
        int indicePercorso = 0;
        int nuoviIncroci = 0;
        int nuoviPrima = 0;  // new crossings of the candidates before it that were in the tree already
        std::uint32_t chiave = 0, lunghezzaChiave = 0;  // in `byte`, unless from `chiaveFuori`
        std::uint32_t ori = 0, lunghezzaOri = 0;        // in `byte`, as lettereCompatte writes them
        // The code as text, only when it is no reading of its key: labels in `interi`, the signs written
        // after them in `byte`.
        std::uint32_t voci = 0, numVoci = 0;
        std::uint32_t segni = 0;
        // The old crossing of each new one, as runs in `interi`: an old label and how many consecutive
        // labels from it, or kNuove and how many new crossings.
        std::uint32_t vecchie = 0, numCorse = 0;
        LetturaChiave lettura;
        bool comeChiave = false;  // the code is `lettura` of its key
    };
    static constexpr int kNuove = -1;
    bool daRifare = false;  // a record of a closed tree that may allow a move: examined whole when filed
    bool caricato = false;  // the look-ahead built the record's diagram
    bool mossaI = false;    // a move I was found: no child is filed
    bool mossaII = false;   // a move II was found after the children
    int nuoviMossaII = 0;   // how far the move II's rewrite moved the counter of new crossings
    // The horizontal candidates rewritten, in search order, but for those found in the tree or the chosen
    // list while the record was examined: those only move the counter of new crossings (nuoviPrima of the
    // next one, nuoviCoda after the last).
    std::vector<Figlio> figli;
    int nuoviCoda = 0;
    std::exception_ptr errore;  // what the examination threw, thrown again when the record is filed
    std::string byte;
    std::vector<int> interi;
    std::size_t byteChiaviFuori = 0;  // the bytes of the keys kept by the round's table

    // Only what the filing needs is kept: a round's examinations wait for their filing together, with
    // every candidate the tree had not met when they were made. `tenuta` is the key as the round's table
    // keeps it, which stays there until the record is filed; without it the key is copied.
    void aggiungi(const PassaggiRiscritti& p, const std::string& k, int indicePercorso,
                  std::string_view tenuta = {}) {
        const auto a32 = [](std::size_t n) {
            if (n > UINT32_MAX)
                throw std::length_error("the children of a search tree record take over 4 GB");
            return static_cast<std::uint32_t>(n);
        };
        Figlio f;
        f.indicePercorso = indicePercorso;
        f.nuoviIncroci = p.nuoviIncroci;
        f.nuoviPrima = nuoviCoda;
        nuoviCoda = 0;
        f.lunghezzaChiave = a32(k.size());
        if (tenuta.data() != nullptr && tenuta.size() == k.size()) {
            f.chiaveFuori = tenuta.data();
            byteChiaviFuori += k.size();
        } else {
            f.chiave = a32(byte.size());
            byte += k;
        }
        thread_local std::string lettere;
        lettereCompatte(p.TxtOri, lettere);
        f.ori = a32(byte.size());
        f.lunghezzaOri = a32(lettere.size());
        byte += lettere;
        // The text writes after each label the next passage's own sign; a code so written, numbered by
        // first appearance, is a reading of its key.
        thread_local std::vector<int> lavoro;
        const std::size_t n = p.voci.size();
        bool segniPropri = p.segniSucc.size() == n;
        for (std::size_t j = 0; segniPropri && j < n; ++j)
            segniPropri = p.segniSucc[j] == p.voci[(j + 1) % n].sign;
        f.comeChiave = segniPropri && letturaDelCodice(p.voci, k, f.lettura, lavoro);
        if (!f.comeChiave) {
            f.segni = a32(byte.size());
            byte.append(p.segniSucc.begin(), p.segniSucc.end());
            f.voci = a32(interi.size());
            f.numVoci = a32(n);
            for (const VoceScifta& v : p.voci) interi.push_back(v.label);
        }
        f.vecchie = a32(interi.size());
        for (std::size_t r = 1; r < p.vecchie.size(); ++r) {
            const int v = p.vecchie[r] >= RiscritturaPonte::kEtichettaNuova ? kNuove : p.vecchie[r];
            bool continua = false;  // the label continues the last run
            if (f.numCorse > 0) {
                const std::size_t ultima = interi.size() - 2;
                const int u = interi[ultima];
                continua = v == kNuove ? u == kNuove : u != kNuove && u + interi[ultima + 1] == v;
                if (continua) ++interi[ultima + 1];
            }
            if (!continua) {
                interi.push_back(v);
                interi.push_back(1);
                ++f.numCorse;
            }
        }
        figli.push_back(f);
    }
    std::string_view chiave(const Figlio& f) const {
        if (f.chiaveFuori) return {f.chiaveFuori, f.lunghezzaChiave};
        return std::string_view(byte).substr(f.chiave, f.lunghezzaChiave);
    }
    // What the examination keeps takes no more room than it needs while it waits for its filing.
    void stringi() {
        const auto largo = [](std::size_t capacita, std::size_t misura) {
            return capacita > misura + misura / 8;
        };
        if (largo(byte.capacity(), byte.size())) byte.shrink_to_fit();
        if (largo(interi.capacity(), interi.size())) interi.shrink_to_fit();
        if (largo(figli.capacity(), figli.size())) figli.shrink_to_fit();
    }
};

// The room the tree has for the children of a round's records. Every key in the table of the round before
// (filed after it) and every key that a record of the round first put into the round's table is a
// diagram the tree has not met, filed (or refused) by the first record that keeps it, before any record
// of a higher index is filed. So once the records before record k have put more keys into the tables than
// the tree had room for when the round started, the tree has refused one of them, and will refuse every
// further record, when record k is filed: its children need not be kept. The counts are read while the
// records are examined and only grow, so that what a record reads is never more than the filings before
// it will try; however the records are examined, a record whose children the tree could take keeps them.
class PostoDelGiro {
  public:
    // `posto`: the records the tree may still take; `primaDelGiro`: the keys of the round filed before.
    PostoDelGiro(long quanti, long posto, std::size_t primaDelGiro)
        : messe_(static_cast<std::size_t>(quanti)), soglia_(posto + 1 - static_cast<long>(primaDelGiro)) {}
    // Record k of the round put a key into the round's table.
    void messa(long k) { messe_[static_cast<std::size_t>(k)].fetch_add(1, std::memory_order_relaxed); }
    // The tree will have refused a record before record k of the round is filed.
    bool esaurito(long k) const {
        long n = 0;
        for (long i = 0; i < k && n < soglia_; ++i)
            n += messe_[static_cast<std::size_t>(i)].load(std::memory_order_relaxed);
        return n >= soglia_;
    }

  private:
    std::vector<std::atomic<long>> messe_;
    long soglia_;
};

// The keys kept by the records of the round under way and of the round before (filed after it), and the
// index of the record examined: a child that a record of lower index keeps is filed by that one first.
// With the round's room, the place of the record in the round (nelGiro).
struct ChiaviTenute {
    ChiaviDelGiro* giro = nullptr;
    const ChiaviDelGiro* prima = nullptr;
    long indice = 0;
    PostoDelGiro* posto = nullptr;
    long nelGiro = 0;
    bool tenutaPrima(std::string_view chiave, std::size_t hash) const {
        return giro && ((prima && prima->tenutaPrima(chiave, hash, indice)) ||
                        giro->tenutaPrima(chiave, hash, indice));
    }
    // Record `indice` keeps a key: the round's copy of it (none without a round).
    std::string_view tieni(std::string_view chiave, std::size_t hash) const {
        if (!giro) return {};
        bool nuova = false;
        const std::string_view copia = giro->tieni(chiave, hash, indice, &nuova);
        if (nuova && posto) posto->messa(nelGiro);
        return copia;
    }
    // The tree will be closed when the record is filed (PostoDelGiro::esaurito).
    bool senzaPosto() const { return posto && posto->esaurito(nelGiro); }
};

// Prova2's work on an isolated look-ahead instance `p`; the candidates are rewritten but not filed.
// `annulla` ends it early (the result is then not used). With `alberoChiuso` (the tree takes no more
// records and has said why) the horizontal candidates are not listed at all: none of them could be filed.
// They would only have moved the look-ahead's counter of new crossings, which names the crossings of the
// records it files and nothing outside it. A candidate whose diagram `albero` (the window's tree, which
// only grows while records are examined) holds already is not kept: the filing would pass it over, and
// so is one that `tenute` says a record of lower index keeps. Nor is any, once `tenute` says that the
// tree will be closed when the record is filed: it would refuse them (they move the counter all the same).
EsameRecord EsaminaRecord(FinestraPonte& p, const NodoLista& nodo, const std::atomic<bool>& annulla,
                          bool alberoChiuso, const AlberoOrizzontale& albero,
                          const ChiaviTenute& tenute = {}) {
    EsameRecord e;
    const bool caricato = alberoChiuso ? p.caricaConsegnaPerMosse(nodo.Codice, nodo.Ori, nodo.Nomi)
                                       : p.caricaConsegna(nodo.Codice, nodo.Ori, nodo.Nomi);
    if (!caricato) return e;
    e.caricato = true;
    if (trovata(DoTric(p, false))) {
        e.mossaI = true;
        return e;
    }
    // The rewrite's tables are kept by the thread from one record to the next.
    thread_local std::optional<RiscritturaPonte> riusata;
    RiscritturaPonte* riscrittura = nullptr;
    auto prepara = [&]() -> RiscritturaPonte* {
        if (riusata)
            riusata->prepara(p.diagramma());
        else
            riusata.emplace(p.diagramma());
        return &*riusata;
    };
    PassaggiRiscritti r;
    // Each candidate's key is looked up in the tree while the next one is keyed: its slot is asked for
    // ahead, so that the wait for memory overlaps the next key's work. The candidates are still taken in
    // search order; what the lookup answers does not depend on when it is made, since the filing checks
    // every key again.
    struct Attesa {
        bool presente = false;
        std::string chiave;
        std::size_t hash = 0;
        int nuovi = 0;
        int indicePercorso = 0;
        char ab1 = '-';
        // The bridge, the crossed arcs and the regions one after another, in a buffer that only grows: most
        // candidates are met before and never need them.
        std::vector<int> numeri;
        std::size_t finePonte = 0, fineAttraversati = 0, fineRegioni = 0;
        void tieni(const CandidatoPonte& c) {
            finePonte = c.archiPonte.size();
            fineAttraversati = finePonte + c.archiAttraversati.size();
            fineRegioni = fineAttraversati + c.regioni.size();
            if (numeri.size() < fineRegioni) numeri.resize(fineRegioni);
            int* o = numeri.data();
            for (const std::vector<int>* v : {&c.archiPonte, &c.archiAttraversati, &c.regioni})
                for (int x : *v) *o++ = x;
        }
    };
    Attesa attesa, nuova;
    std::vector<int> ponte, attraversati, regioni;
    // Whether the tree will still take the record's children is asked again every few candidates.
    constexpr int kOgniQuanti = 32;
    int finoAllaDomanda = 0;
    bool senzaPosto = false;
    auto risolvi = [&](Attesa& a) {
        if (!a.presente) return;
        a.presente = false;
        if (!senzaPosto && --finoAllaDomanda <= 0) {
            senzaPosto = tenute.senzaPosto();
            finoAllaDomanda = kOgniQuanti;
        }
        if (senzaPosto || albero.chiaveNellAlbero(a.chiave, a.hash) ||
            albero.chiaveScelta(a.chiave, a.hash) || tenute.tenutaPrima(a.chiave, a.hash)) {
            e.nuoviCoda += a.nuovi;
            return;
        }
        const auto inizio = a.numeri.begin();
        ponte.assign(inizio, inizio + static_cast<long>(a.finePonte));
        attraversati.assign(inizio + static_cast<long>(a.finePonte),
                            inizio + static_cast<long>(a.fineAttraversati));
        regioni.assign(inizio + static_cast<long>(a.fineAttraversati),
                       inizio + static_cast<long>(a.fineRegioni));
        if (!riscrittura->passaggi(ponte, attraversati, regioni, a.ab1, r))
            return;  // refused as the key was not: cannot happen
        e.aggiungi(r, a.chiave, a.indicePercorso, tenute.tieni(a.chiave, a.hash));
    };
    // Room for a few new candidates of the record's size, so that the tables seldom grow.
    constexpr std::size_t kFigliPrevisti = 8;
    const std::size_t passaggi = nodo.Codice.size() / 2;
    e.figli.reserve(kFigliPrevisti);
    e.byte.reserve(kFigliPrevisti * 2 * passaggi);
    e.interi.reserve(kFigliPrevisti * 16);
    const LimitiPonte limiti;  // Prova2's search state has the default caps
    // Both bridge kinds, over-bridges first, with the diagram's tables made once. Every candidate the
    // enumeration visits is off its bridge's own sides (senzaLungoIlPonte).
    if (!alberoChiuso) {
        EnumeraCandidatiPonteDueTipi(
            p.diagramma(), true,
            [&](const CandidatoPonte& c) {
                if (annulla.load(std::memory_order_relaxed)) return false;
                if (!riscrittura) riscrittura = prepara();
                // The key first: the passages are written only for a diagram the tree has not met.
                bool banale = false;
                if (!riscrittura->chiave(c.archiPonte, c.archiAttraversati, c.regioni, c.ab1, nuova.chiave,
                                         nuova.nuovi, banale) ||
                    banale)
                    return true;
                nuova.hash = InsiemeCodici::hashChiave(nuova.chiave);
                albero.anticipaNellAlbero(nuova.hash);
                nuova.indicePercorso = c.indicePercorso;
                nuova.ab1 = c.ab1;
                nuova.tieni(c);
                nuova.presente = true;
                risolvi(attesa);
                std::swap(attesa, nuova);
                return true;
            },
            limiti, false, {}, false, true);
        risolvi(attesa);
        if (annulla.load(std::memory_order_relaxed)) return e;
        e.stringi();
    }
    const int prima = p.contaNuoviIncroci();
    if (trovata(DoTman(p, false))) {
        e.mossaII = true;
        e.nuoviMossaII = p.contaNuoviIncroci() - prima;
    }
    return e;
}

// A record of a closed tree, whose children are not listed: only whether it allows a move I or II, asked
// of its passages alone, without building the diagram (read straight from its key when the record keeps
// its code as a reading of it, else from the code's text). A record that does (or whose code the quick
// test cannot read) is examined whole when it is filed, with its names.
EsameRecord EsaminaRecordChiuso(const AlberoOrizzontale& albero, long indice) {
    thread_local std::string ori;
    thread_local std::vector<int> lavoro;
    thread_local TabellaPassaggi tabella;
    EsameRecord e;
    bool letta = false;
    if (albero.passiELettere(indice, lavoro, ori)) {
        letta = TabellaDaPassi(lavoro, ori, tabella);
    } else {
        thread_local std::string codice;
        albero.codiceELettere(indice, codice, ori, lavoro);
        letta = TabellaDaCodice(codice, ori, tabella);
    }
    if (letta && !EsisteMossaIoII(tabella))
        e.caricato = true;
    else
        e.daRifare = true;
    return e;
}

void aggiungiNumero(std::string& out, long n) {
    char buf[24];
    const auto fine = std::to_chars(buf, buf + sizeof buf, n).ptr;
    out.append(buf, fine);
}

// Files the children of the record at the cursor from its examination, as ValidaCammino files them in
// the look-ahead, and moves the look-ahead's counter of new crossings as Prova2 would for the children it
// listed; true when the record allows a move I or II.
bool ArchiviaEsame(FinestraPonte& w, const EsameRecord& e) {
    if (e.errore) std::rethrow_exception(e.errore);
    AlberoOrizzontale& t = w.albero();
    FinestraPonte& prova = w.prova();
    if (e.daRifare) {
        // Examined here in the window's look-ahead instance, whose counter of new crossings the filing
        // moves itself.
        const int prima = prova.contaNuoviIncroci();
        const std::atomic<bool> mai{false};
        const EsameRecord intero = EsaminaRecord(prova, t.record(t.CursoreListaUg), mai, true, t);
        prova.aggiungiNuoviIncroci(prima - prova.contaNuoviIncroci());
        return ArchiviaEsame(w, intero);
    }
    if (!e.caricato) return false;
    if (e.mossaI) return true;
    const long cursore = t.CursoreListaUg;
    const int prima = prova.contaNuoviIncroci();
    int conta = prima;
    for (const EsameRecord::Figlio& f : e.figli) {
        conta += f.nuoviPrima;
        const int primoNuovo = conta;
        conta += f.nuoviIncroci;
        const std::string_view chiave = e.chiave(f);
        if (t.chiaveNellAlbero(chiave) || t.chiaveScelta(chiave)) continue;
        // The names RiscritturaPonte::nodo gives, as references to the record's names (those it has: the
        // others are empty) and new names.
        const std::size_t nomiPadre = t.nomi(cursore).size();
        NomiCompatti nomi;
        int contatore = primoNuovo;
        for (std::size_t c = 0; c < f.numCorse; ++c) {
            const int v = e.interi[f.vecchie + 2 * c], quante = e.interi[f.vecchie + 2 * c + 1];
            for (int q = 0; q < quante; ++q) {
                const int vecchia = v + q;
                if (v == EsameRecord::kNuove)
                    nomi.nuovo(cursore, ++contatore);
                else if (vecchia >= 0 && static_cast<std::size_t>(vecchia) < nomiPadre)
                    nomi.vecchio(vecchia);
                else
                    nomi.testo({});
            }
        }
        NodoLista nodo;
        nodo.IndicePadre = cursore;
        nodo.Mossa = f.indicePercorso;
        nodo.NumGiro = t.numGiro(cursore);
        nodo.Profondita = t.profondita(cursore) + 1;
        if (!f.comeChiave) {
            // The text RiscritturaPonte::nodo writes, for a code that is no reading of its key.
            for (std::size_t k = 0; k < f.numVoci; ++k) {
                aggiungiNumero(nodo.Codice, e.interi[f.voci + k]);
                nodo.Codice += e.byte[f.segni + k];
            }
        }
        t.archivia(nodo, chiave, f.comeChiave ? &f.lettura : nullptr,
                   std::string_view(e.byte).substr(f.ori, f.lunghezzaOri), nomi);
    }
    conta += e.nuoviCoda;
    if (e.mossaII) conta += e.nuoviMossaII;
    prova.aggiungiNuoviIncroci(conta - prima);
    return e.mossaII;
}

// Below this many records waiting, the tree is examined in turn: threads would cost more than they save.
constexpr long kMinimoInParallelo = 32;
// Two rounds are under way at a time, each holding the children of its records until they are filed:
// at 250 crossings a record can have hundreds of new children, a few hundred bytes each, on a torus
// braid of three strands over a thousand, and on one of nine to thirteen strands thousands. So a round
// takes as many records as the last round filed when it is made says fit in kByteGiro, between the
// fewest that keep the threads busy (kMinimoPerGiro, and two a thread) and kRecordPerGiro; the first
// ones take that fewest. How the records are cut into rounds changes nothing of what is filed.
constexpr long kRecordPerGiro = 256;
constexpr long kMinimoPerGiro = 32;
constexpr std::size_t kByteGiro = std::size_t{64} << 20;

std::size_t byteTenuti(const EsameRecord& e) {
    return e.byte.capacity() + e.byteChiaviFuori + e.interi.capacity() * sizeof(int) +
           e.figli.capacity() * sizeof(EsameRecord::Figlio);
}

// The threads that examine the rounds of one search beside the window's own, one per isolated look-ahead
// instance, started once for all its rounds: a search of half a million records runs thousands of rounds,
// and threads made for each would be made again with their working tables and memory each time.
class SquadraGiri {
  public:
    explicit SquadraGiri(const std::vector<FinestraPonte*>& prove) {
        for (FinestraPonte* p : prove) fili_.emplace_back([this, p] { servi(*p); });
    }
    SquadraGiri(const SquadraGiri&) = delete;
    SquadraGiri& operator=(const SquadraGiri&) = delete;
    ~SquadraGiri() {
        {
            const std::lock_guard<std::mutex> l(m_);
            fine_ = true;
        }
        lavoro_cv_.notify_all();
        for (std::thread& f : fili_) f.join();
    }

    // Every thread runs `lavoro` with its instance, once the work before is done; the call returns at
    // once, with the work's number.
    std::uint64_t avvia(std::function<void(FinestraPonte&)> lavoro) {
        std::uint64_t turno = 0;
        {
            std::unique_lock<std::mutex> l(m_);
            fine_cv_.wait(l, [this] { return attivi_ == 0; });
            lavoro_ = std::move(lavoro);
            attivi_ = static_cast<int>(fili_.size());
            turno = ++turno_;
        }
        lavoro_cv_.notify_all();
        return turno;
    }
    // True once every thread has ended work number `turno`; waits up to `attesa` for it.
    bool fatto(std::uint64_t turno, std::chrono::milliseconds attesa) {
        std::unique_lock<std::mutex> l(m_);
        return fine_cv_.wait_for(l, attesa, [&] { return finito(turno); });
    }
    void attendi(std::uint64_t turno) {
        std::unique_lock<std::mutex> l(m_);
        fine_cv_.wait(l, [&] { return finito(turno); });
    }

  private:
    bool finito(std::uint64_t turno) const { return turno_ > turno || attivi_ == 0; }
    void servi(FinestraPonte& p) {
        std::uint64_t visto = 0;
        std::unique_lock<std::mutex> l(m_);
        for (;;) {
            lavoro_cv_.wait(l, [&] { return fine_ || turno_ != visto; });
            if (fine_) return;
            visto = turno_;
            const std::function<void(FinestraPonte&)>* lavoro = &lavoro_;  // unchanged until all are done
            l.unlock();
            (*lavoro)(p);
            l.lock();
            if (--attivi_ == 0) fine_cv_.notify_all();
        }
    }

    std::mutex m_;
    std::condition_variable lavoro_cv_, fine_cv_;
    std::function<void(FinestraPonte&)> lavoro_;
    std::uint64_t turno_ = 0;
    int attivi_ = 0;
    bool fine_ = false;
    std::vector<std::thread> fili_;  // last: the threads start once everything they read is there
};

// One round of records examined side by side by the search's threads and the window's thread. The
// records' codes are copied when the round is made, which may be a round before it starts: the tree grows
// (and may move its records) while rounds run, and only the window's thread, between its filings, reads it.
class GiroParallelo {
  public:
    GiroParallelo(AlberoOrizzontale& t, long primo, long quanti)
        : primo_(primo), albero_(&t), esami_(static_cast<std::size_t>(quanti)) {
        // A closed tree's records are read by the threads themselves; so is an open one's once it closes
        // before the round starts.
        if (t.chiuso()) return;
        // Only the code and the letters: an examination reads no crossing name (the children's names are
        // written at the filing, from the tree's), so that the names are not written out here.
        nodi_.resize(static_cast<std::size_t>(quanti));
        std::vector<int> lavoro;
        for (long i = 0; i < quanti; ++i) {
            NodoLista& n = nodi_[static_cast<std::size_t>(i)];
            t.codiceELettere(primo + i, n.Codice, n.Ori, lavoro);
        }
    }
    GiroParallelo(const GiroParallelo&) = delete;
    GiroParallelo& operator=(const GiroParallelo&) = delete;
    ~GiroParallelo() {
        annulla_ = true;
        if (squadra_) squadra_->attendi(turno_);
    }

    // Sets the squad's threads on the round. `prima`: the keys kept by the round before, which is filed
    // while this one runs; `chiavi` the keys this round keeps, empty. A tree that has refused a record takes
    // none ever after, and has told why: the records' children need not be listed.
    void avvia(SquadraGiri& squadra, std::shared_ptr<const ChiaviDelGiro> prima,
               std::shared_ptr<ChiaviDelGiro> chiavi) {
        prima_ = std::move(prima);
        chiavi_ = std::move(chiavi);
        chiuso_ = albero_->chiuso();
        // The round before is filed after the tree's records counted here, before this round's.
        posto_.emplace(static_cast<long>(esami_.size()), kMaxListaUg - albero_->NumListaUg(),
                       prima_ ? prima_->quante() : 0);
        squadra_ = &squadra;
        turno_ = squadra.avvia([this](FinestraPonte& p) {
            while (esaminaProssimo(p)) {
            }
        });
    }

    long primo() const { return primo_; }
    long fine() const { return primo_ + static_cast<long>(esami_.size()); }  // one past the last record
    const EsameRecord& esame(long indice) const { return esami_[static_cast<std::size_t>(indice - primo_)]; }
    // A record filed: what its examination kept is given back at once, while the tree grows.
    void libera(long indice) { esami_[static_cast<std::size_t>(indice - primo_)] = EsameRecord{}; }
    // How many records a later round may take, from what this finished round holds per record, and at
    // least `minimo`.
    long recordProssimo(long minimo) const {
        std::size_t byte = 0;
        for (const EsameRecord& e : esami_) byte += byteTenuti(e);
        const std::size_t perRecord = std::max<std::size_t>(1, byte / esami_.size());
        return std::clamp(static_cast<long>(kByteGiro / perRecord), minimo, std::max(minimo, kRecordPerGiro));
    }
    std::shared_ptr<const ChiaviDelGiro> chiavi() const { return chiavi_; }
    // The round is over: its keys are only read from now on, and the keys of the round before, which
    // only its examinations read, are let go (the round after may take their table).
    void chiudiChiavi() {
        chiavi_->chiudi();
        prima_.reset();
    }

    // The window's thread takes records of the round with its own instance `p` until none is left,
    // serving the window's events and reading its stop request every few milliseconds; false when the
    // request stopped the round.
    bool aiuta(FinestraPonte& w, FinestraPonte& p) {
        constexpr auto kOgni = std::chrono::milliseconds(10);
        auto prossimoServizio = std::chrono::steady_clock::now() + kOgni;
        while (esaminaProssimo(p)) {
            if (const auto ora = std::chrono::steady_clock::now(); ora >= prossimoServizio) {
                w.ui().yieldToEvents();
                if (w.RichiestaStop().richiesta()) annulla_ = true;
                prossimoServizio = ora + kOgni;
            }
        }
        return !annulla_.load();
    }
    // Waits for the squad's threads to end their records of the round, serving the window as `aiuta`
    // does; false when the request stopped the round.
    bool attendi(FinestraPonte& w) {
        while (!squadra_->fatto(turno_, std::chrono::milliseconds(10))) {
            w.ui().yieldToEvents();
            if (w.RichiestaStop().richiesta()) annulla_ = true;
        }
        return !annulla_.load();
    }

  private:
    // Examines the next record nobody has taken; false when there is none (or the round is stopped).
    bool esaminaProssimo(FinestraPonte& p) {
        const long i = prossimo_.fetch_add(1);
        if (i >= static_cast<long>(esami_.size()) || annulla_.load()) return false;
        EsameRecord& e = esami_[static_cast<std::size_t>(i)];
        try {
            e = chiuso_ ? EsaminaRecordChiuso(*albero_, primo_ + i)
                        : EsaminaRecord(p, nodi_[static_cast<std::size_t>(i)], annulla_, false, *albero_,
                                        ChiaviTenute{chiavi_.get(), prima_.get(), primo_ + i, &*posto_, i});
        } catch (...) {
            e.errore = std::current_exception();
        }
        return true;
    }

    long primo_;
    const AlberoOrizzontale* albero_;  // read by the threads while this thread files into it
    std::vector<NodoLista> nodi_;
    std::vector<EsameRecord> esami_;
    std::shared_ptr<const ChiaviDelGiro> prima_;
    std::shared_ptr<ChiaviDelGiro> chiavi_;
    std::optional<PostoDelGiro> posto_;
    bool chiuso_ = false;
    std::atomic<long> prossimo_{0};
    std::atomic<bool> annulla_{false};
    SquadraGiri* squadra_ = nullptr;
    std::uint64_t turno_ = 0;  // the work's number in the squad
};

// The keys the rounds keep, used again from one round to the next: a round's keys are read by the round
// after it and then emptied for a later one.
class ScorteChiavi {
  public:
    std::shared_ptr<ChiaviDelGiro> prendi() {
        for (const std::shared_ptr<ChiaviDelGiro>& c : scorte_)
            if (c.use_count() == 1) {
                c->svuota();
                return c;
            }
        return scorte_.emplace_back(std::make_shared<ChiaviDelGiro>());
    }

  private:
    std::vector<std::shared_ptr<ChiaviDelGiro>> scorte_;
};

// Examines the records after the cursor side by side on the isolated look-ahead instances, a round of
// at most kRecordPerGiro records at a time, and files their results in the order of the records, exactly
// as the records examined in turn would be filed. The window's thread examines with the first instance,
// each of the others has a thread of its own: on two cores two threads, never more threads than cores.
// When a round ends the next one, of records already in the tree, is set going at once, and the window's
// thread files the round that ended, copies the records of the round after, and then examines beside the
// others. Stops at the first record that allows a move; returns its index, or -1 (the tree is exhausted,
// or stopped with t.fermato set).
long BatchParallelo(FinestraPonte& w, const std::vector<FinestraPonte*>& prove) {
    AlberoOrizzontale& t = w.albero();
    FinestraPonte& mia = *prove.front();
    // Destroyed after the rounds, which wait for the threads' work on them.
    SquadraGiri squadra(std::vector<FinestraPonte*>(prove.begin() + 1, prove.end()));
    ScorteChiavi scorte;
    std::unique_ptr<GiroParallelo> giro;
    // The round after `giro`, copied but not started; sized by the round before `giro`, as the last one
    // whose records are all known when it is copied.
    std::unique_ptr<GiroParallelo> prossimo;
    const long minimoPerGiro = std::max(kMinimoPerGiro, 2 * static_cast<long>(prove.size()));
    long perGiro = minimoPerGiro;
    auto copiaProssimo = [&] {
        const long dopo = t.NumListaUg() - giro->fine() + 1;
        if (dopo >= kMinimoInParallelo)
            prossimo = std::make_unique<GiroParallelo>(t, giro->fine(), std::min(dopo, perGiro));
    };
    while (!t.fermato) {
        if (!giro) {
            const long attesa = t.NumListaUg() - t.CursoreListaUg;
            if (attesa <= 0) {
                ++t.CursoreListaUg;  // past the last record, as the batch in turn leaves it
                return -1;
            }
            if (attesa < kMinimoInParallelo) {
                // Few records: one at a time, in the look-ahead instance itself.
                w.ui().yieldToEvents();
                if (w.RichiestaStop().richiesta()) {
                    t.fermato = true;
                    break;
                }
                ++t.CursoreListaUg;
                w.progresso();
                const NodoLista nodo = t.record(t.CursoreListaUg);
                if (Prova2(w.prova(), nodo)) return t.CursoreListaUg;
                continue;
            }
            giro = std::make_unique<GiroParallelo>(t, t.CursoreListaUg + 1, std::min(attesa, perGiro));
            giro->avvia(squadra, nullptr, scorte.prendi());
            copiaProssimo();
        }
        if (!giro->aiuta(w, mia) || !giro->attendi(w)) {
            t.fermato = true;
            break;
        }
        giro->chiudiChiavi();
        perGiro = giro->recordProssimo(minimoPerGiro);
        if (prossimo) prossimo->avvia(squadra, giro->chiavi(), scorte.prendi());
        for (long i = giro->primo(); i < giro->fine(); ++i) {
            if ((i & 63) == 0) {
                w.ui().yieldToEvents();
                if (w.RichiestaStop().richiesta()) {
                    t.fermato = true;
                    break;
                }
            }
            ++t.CursoreListaUg;
            w.progresso();
            if (ArchiviaEsame(w, giro->esame(i))) return t.CursoreListaUg;
            giro->libera(i);
        }
        if (t.fermato) break;
        giro = std::exchange(prossimo, nullptr);
        if (giro) copiaProssimo();
    }
    return -1;
}

// The batch over the tree: expands records in filing order until one allows a move I or II.
bool Batch(FinestraPonte& w, StatoPonte& s, RisultatoPonte& r) {
    AlberoOrizzontale& t = w.albero();
    w.ui().setPanel("p1", "Wait..");
    BusyGuard busy(w.ui());
    long trovato = -1;
    const std::vector<FinestraPonte*> prove = w.proveIsolate();
    if (!prove.empty()) {
        trovato = BatchParallelo(w, prove);
    } else {
        while (trovato < 0) {
            w.ui().yieldToEvents();
            if (w.RichiestaStop().richiesta()) t.fermato = true;
            if (t.fermato) break;
            if (++t.CursoreListaUg > t.NumListaUg()) break;
            w.progresso();
            const NodoLista nodo = t.record(t.CursoreListaUg);
            if (Prova2(w.prova(), nodo)) trovato = t.CursoreListaUg;
        }
    }
    if (trovato >= 0 && !t.fermato) {
        long a = trovato;
        while (t.profondita(a) >= 2) a = t.padre(a);
        const NodoLista primo = t.record(a);
        NodoLista scelto;
        scelto.Codice = primo.Codice;
        scelto.Ori = primo.Ori;
        scelto.IndicePadre = 0;
        if (t.scegli(scelto)) {
            s.CandidatoScelto = primo.NumGiro;
            return true;
        }
    }
    const long n = t.NumListaUg();
    const std::string prof = std::to_string(t.profondita(n));
    w.ui().setPanel("p1", "End");
    w.ui().setPanel("p2", std::to_string(n) + "/" + prof + " " + std::to_string(n) + "/" + prof +
                              (t.motivo().empty() ? std::string() : " " + t.motivo()));
    r.motivo = t.fermato ? "stopped" : (t.motivo().empty() ? "no move found" : t.motivo());
    if (!t.fermato) r.limite = t.motivo();
    r.fermato = t.fermato;
    s.CandidatoScelto = -1;
    w.RichiestaStop().azzera();
    // The search is over before its message: no stop frame offers to cancel it while the message shows.
    w.ui().hideStopFrame();
    if (w.opzioni().CorsaCompleta) {
        w.fineCorsaCompleta();
    } else if (!t.fermato) {
        w.ui().showMessage(testoNessunaMossa(t.motivo()));
    }
    return false;
}

}  // namespace

bool ChiudiSeInterrotta(FinestraPonte& w, const OpzioniMosse& o, ViewerAnswer esito, RisultatoPonte& r) {
    if (esito != ViewerAnswer::Int) return false;
    w.ridisegna();
    SettaDone(w.ui(), o.ModoAutomatico);
    r.esito = EsitoDriver::Interrotta;
    return true;
}

void ApplicaPonte(FinestraPonte& w, const MossaScelta& mossa, char ab1, RisultatoPonte& r) {
    const OpzioniMosse o = w.opzioni();
    int conta = w.contaNuoviIncroci();
    const Result<NuovoNodo> n = NuovoNodoDaPonte(w.diagramma(), mossa, ab1, conta);
    if (!n) {
        w.ui().showMessage(kMessaggioRiscritturaFallita);
        SettaDone(w.ui(), o.ModoAutomatico);
        r.esito = EsitoDriver::RiscritturaFallita;
        return;
    }
    TestoNodo nuovo;
    if (n->nodoBanale) {
        // Every crossing is gone: the trivial knot is the step's result and is recorded; the complete run
        // then ends (a message only when a person is watching).
        if (!o.ModoAutomatico && !o.nascosta) w.ui().showMessage("Trivial Knot");
    } else {
        w.aggiungiNuoviIncroci(n->nuoviIncroci);
        nuovo = TestoNodo{n->txtNodo, n->TxtOri, n->nomi};
    }
    w.committaMossa(MoveKind::III, nuovo);
    r.esito = EsitoDriver::Applicata;
    r.mossaTipo = MoveKind::III;
}

std::optional<CandidatoRiscritto> riscriviCandidato(FinestraMosse& w, RiscritturaPonte& riscrittura,
                                                    const CandidatoPonte& c) {
    CandidatoRiscritto r;
    if (!riscrittura.passaggi(c.archiPonte, c.archiAttraversati, c.regioni, c.ab1, r.passaggi) ||
        r.passaggi.nodoBanale)
        return std::nullopt;
    r.primoNuovo = w.contaNuoviIncroci();
    w.aggiungiNuoviIncroci(r.passaggi.nuoviIncroci);
    r.chiave = chiaveCanonica(r.passaggi.voci);
    return r;
}

ContestoPonte contestoPonte(FinestraPonte& w, const StatoPonte& s) {
    const OpzioniMosse o = w.opzioni();
    ContestoPonte ctx(w.ui());
    ctx.ModoAutomatico = o.ModoAutomatico;
    ctx.finestraPrincipale = !o.nascosta;
    ctx.mainGrid = w.grigliaPrincipale();
    ctx.RichiestaStop = &w.RichiestaStop();
    ctx.limiti = s.limiti;
    ctx.dump = o.dump;
    ctx.evidenzia = [&w](const CandidatoPonte& c) { w.evidenziaPonte(c); };
    return ctx;
}

RisultatoPonte AzionePonte(FinestraPonte& w, StatoPonte& s, BridgeKind minUg, bool Diretta) {
    RisultatoPonte r;
    if (!s.SoloMossaIII) {
        RisultatoDriver m1 = DoTric(w, false);
        if (m1.ricerca.NumCandidati > 0) {
            r.esito = m1.esito;
            r.NumCandidati = m1.ricerca.NumCandidati;
            r.EsitoDialogo = m1.ricerca.EsitoDialogo;
            r.mossaTipo = MoveKind::I;
            return r;
        }
    }
    const OpzioniMosse o = w.opzioni();
    ContestoPonte ctx = contestoPonte(w, s);
    // The window's diagram stays as it is while its candidates are listed: it is prepared for their
    // rewrites once.
    std::optional<RiscritturaPonte> riscrittura;
    ctx.validaCammino = [&w, &riscrittura](const CandidatoPonte& c, std::int64_t k) {
        if (!riscrittura) riscrittura.emplace(w.diagramma());
        return ValidaCammino(w, *riscrittura, c, k);
    };
    for (;;) {
        ctx.ContaOrizzontali = 0;
        ctx.CandidatoScelto = s.CandidatoScelto;
        EsitoPonte e;
        char ab1 = 0;
        for (char k : {'-', '+'}) {
            w.azzeraProgressivo();
            BusyGuard busy(w.ui());
            const int prima = e.NumCandidati;
            e = Tponte(w.diagramma(), k, k == '-' ? '+' : '-', minUg, ctx);
            e.NumCandidati += prima;
            if (e.EsitoDialogo == ViewerAnswer::Sel) ab1 = k;
            if (e.EsitoDialogo == ViewerAnswer::Sel || e.EsitoDialogo == ViewerAnswer::Int) break;
        }
        s.CandidatoScelto = ctx.CandidatoScelto;
        r.NumCandidati = e.NumCandidati;
        r.EsitoDialogo = e.EsitoDialogo;
        if (ab1 != 0) {
            ApplicaPonte(w, e.mossa, ab1, r);
            return r;
        }
        if (ChiudiSeInterrotta(w, o, e.EsitoDialogo, r)) return r;
        AlberoOrizzontale& t = w.albero();
        if (e.NumCandidati != 0) {
            r.esito = EsitoDriver::NessunAltro;
            if (minUg != BridgeKind::MoveIII) {
                w.ui().showMessage("No other move was found");
            } else if (o.PassoCombinato) {
                r.NumCandidati = 0;
                s.MossaIIIRifiutata = true;
            } else {
                w.ui().showMessage("No other move III was found");
            }
            w.ridisegna();
        } else if (Diretta) {
            if (minUg == BridgeKind::MoveIII) {
                w.ui().showMessage("No move III was found");
            } else if (t.fermato) {
                r.motivo = "stopped";
                r.fermato = true;
                s.CandidatoScelto = -1;
            } else if (t.NumListaUg() == 0) {
                r.motivo = t.motivo().empty() ? "no horizontal move" : t.motivo();
                r.limite = t.motivo();
                s.CandidatoScelto = -1;
                w.RichiestaStop().azzera();
                w.ui().hideStopFrame();
                if (o.CorsaCompleta) {
                    w.fineCorsaCompleta();
                } else {
                    w.ui().showMessage(testoNessunaMossa(t.motivo()));
                }
            } else {
                Batch(w, s, r);
            }
        }
        if (s.CandidatoScelto == -1 || t.fermato) {
            s.CandidatoScelto = -1;
            SettaDone(w.ui(), o.ModoAutomatico);
            return r;
        }
        // A way was found: search again and take the horizontal move with that ordinal.
        t.svuota();
    }
}

RisultatoPonte CmdTpon_Click(FinestraPonte& w, StatoPonte& s) {
    s.SoloMossaIII = true;
    s.CandidatoScelto = -1;
    RisultatoPonte r = AzionePonte(w, s, BridgeKind::MoveIII, true);
    s.SoloMossaIII = false;
    return r;
}

RisultatoPonte CmdTpon2_Click(FinestraPonte& w, StatoPonte& s) {
    s.MossaIIIRifiutata = false;
    s.CandidatoScelto = -1;
    s.SoloMossaIII = false;
    w.impostaPassoCombinato(true);
    RisultatoPonte r = AzionePonte(w, s, BridgeKind::MoveIII, false);
    if (r.NumCandidati < 1) {
        RisultatoDriver m2 = DoTman(w, false);
        r.NumCandidati = m2.ricerca.NumCandidati;
        r.EsitoDialogo = m2.ricerca.EsitoDialogo;
        r.esito = m2.esito;
        if (m2.ricerca.NumCandidati > 0) r.mossaTipo = MoveKind::II;
        if (r.NumCandidati < 1) {
            if (s.MossaIIIRifiutata) {
                s.MossaIIIRifiutata = false;
                w.ui().showMessage("No other move was found");
            } else {
                const OpzioniMosse o = w.opzioni();
                if (!o.ModoBatch) {
                    w.albero().azzera(w.diagramma().txtNodo, w.diagramma().TxtOri);
                    s.CandidatoScelto = -1;
                }
                r = AzionePonte(w, s, BridgeKind::Horizontal, true);
                r.orizzontale = r.esito == EsitoDriver::Applicata;
                w.RichiestaStop().azzera();
                w.ui().hideStopFrame();
            }
        }
    }
    s.MossaIIIRifiutata = false;
    w.impostaPassoCombinato(false);
    return r;
}

}  // namespace trevalon
