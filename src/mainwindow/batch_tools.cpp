#include "mainwindow/batch_tools.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <numeric>

#include "layout/build.h"
#include "layout/render_grid.h"
#include "model/gauss_code.h"
#include "model/structure.h"
#include "moves/bridge_rewrite.h"
#include "moves/bridge_search.h"
#include "moves/compare.h"
#include "moves/relabel.h"
#include "platform/text.h"

namespace trevalon {

namespace {

using Polinomio = std::map<int, std::int64_t>;

void aggiungiTermini(Polinomio& a, const Polinomio& b, std::int64_t volte, int spostamento) {
    for (const auto& [e, c] : b) a[e + spostamento] += volte * c;
}

Polinomio prodotto(const Polinomio& a, const Polinomio& b) {
    Polinomio p;
    for (const auto& [e, c] : a) aggiungiTermini(p, b, c, e);
    return p;
}

void togliZeri(Polinomio& p) {
    std::erase_if(p, [](const auto& t) { return t.second == 0; });
}

// The smallest representative of a union-find tree.
int radice(std::vector<int>& padre, int x) {
    while (padre[static_cast<std::size_t>(x)] != x) {
        padre[static_cast<std::size_t>(x)] =
            padre[static_cast<std::size_t>(padre[static_cast<std::size_t>(x)])];
        x = padre[static_cast<std::size_t>(x)];
    }
    return x;
}

// The text's lines without their line ends, numbered from 1.
template <class F>
void perRiga(std::string_view testo, F&& f) {
    std::size_t numero = 0;
    LineReader righe(testo);
    for (std::string_view riga; righe.next(riga);)
        if (!f(++numero, riga)) return;
}

}  // namespace

std::string lettereDaMaschera(std::uint32_t maschera, int n) {
    std::string s;
    for (int k = 0; k < n; ++k) s += (k < 32 && (maschera >> k) & 1U) ? 'O' : 'V';
    return s;
}

std::optional<std::map<int, std::int64_t>> bracketNormalizzato(std::string_view txtNodo,
                                                               std::string_view TxtOri) {
    const std::optional<std::vector<VoceScifta>> voci = leggiVociScifta(txtNodo);
    if (!voci || voci->empty() || voci->size() % 2 != 0) return std::nullopt;
    const int m = static_cast<int>(voci->size());
    const int n = m / 2;
    if (n > kMaxIncrociOri || static_cast<int>(TxtOri.size()) != n) return std::nullopt;
    // The over and under passage of every crossing; arc i runs from passage i to passage i + 1.
    std::vector<int> sopra(static_cast<std::size_t>(n) + 1, -1), sotto(static_cast<std::size_t>(n) + 1, -1);
    for (int i = 0; i < m; ++i) {
        const VoceScifta& v = (*voci)[static_cast<std::size_t>(i)];
        if (v.label < 1 || v.label > n) return std::nullopt;
        int& posto = (v.sign == '+' ? sopra : sotto)[static_cast<std::size_t>(v.label)];
        if (posto >= 0) return std::nullopt;
        posto = i;
    }
    // The two smoothings of each crossing as two pairs of arc ends joined. At a positive crossing ("O")
    // the A-smoothing joins the over strand's incoming arc with the under strand's outgoing one and the
    // over strand's outgoing arc with the under strand's incoming one; at a negative crossing that is the
    // B-smoothing.
    struct Giunzioni {
        int a1, a2, b1, b2;
    };
    std::vector<Giunzioni> liscia(static_cast<std::size_t>(n)), lisciaB(static_cast<std::size_t>(n));
    int writhe = 0;
    for (int c = 1; c <= n; ++c) {
        const char lettera = TxtOri[static_cast<std::size_t>(c - 1)];
        if (lettera != 'O' && lettera != 'V') return std::nullopt;
        const int po = sopra[static_cast<std::size_t>(c)], pu = sotto[static_cast<std::size_t>(c)];
        const int oi = (po + m - 1) % m, oo = po, ui = (pu + m - 1) % m, uo = pu;
        Giunzioni a{oi, uo, oo, ui}, b{oi, ui, oo, uo};
        if (lettera == 'V') std::swap(a, b);
        writhe += lettera == 'O' ? 1 : -1;
        liscia[static_cast<std::size_t>(c - 1)] = a;
        lisciaB[static_cast<std::size_t>(c - 1)] = b;
    }
    // States counted by their A-smoothings and their loops.
    std::vector<std::vector<std::int64_t>> conta(static_cast<std::size_t>(n) + 1,
                                                 std::vector<std::int64_t>(static_cast<std::size_t>(m) + 1));
    std::vector<int> padre(static_cast<std::size_t>(m));
    for (std::uint32_t stato = 0; stato < (1U << n); ++stato) {
        std::iota(padre.begin(), padre.end(), 0);
        int anelli = m, numA = 0;
        for (int c = 0; c < n; ++c) {
            const bool conA = (stato >> c) & 1U;
            numA += conA;
            const Giunzioni& g = (conA ? liscia : lisciaB)[static_cast<std::size_t>(c)];
            for (auto [x, y] : {std::pair{g.a1, g.a2}, std::pair{g.b1, g.b2}}) {
                const int rx = radice(padre, x), ry = radice(padre, y);
                if (rx != ry) {
                    padre[static_cast<std::size_t>(std::max(rx, ry))] = std::min(rx, ry);
                    --anelli;
                }
            }
        }
        ++conta[static_cast<std::size_t>(numA)][static_cast<std::size_t>(anelli)];
    }
    // <D> = sum of A^(a - b) d^(loops - 1), d = -A^2 - A^-2; then (-A^3)^(-writhe).
    const Polinomio d{{-2, -1}, {2, -1}};
    std::vector<Polinomio> potenze{Polinomio{{0, 1}}};
    while (static_cast<int>(potenze.size()) <= m) potenze.push_back(prodotto(potenze.back(), d));
    Polinomio bracket;
    for (int a = 0; a <= n; ++a)
        for (int l = 1; l <= m; ++l)
            if (const std::int64_t k = conta[static_cast<std::size_t>(a)][static_cast<std::size_t>(l)];
                k != 0)
                aggiungiTermini(bracket, potenze[static_cast<std::size_t>(l - 1)], k, a - (n - a));
    Polinomio normalizzato;
    aggiungiTermini(normalizzato, bracket, writhe % 2 == 0 ? 1 : -1, -3 * writhe);
    togliZeri(normalizzato);
    return normalizzato;
}

Result<EsitoOri> generaOri(const VoceCatalogo& voce, const ControlloLavoro& controllo) {
    const std::string chi = citazione(voce.nome) + ": ";
    // The first reading of an enumeration started on the entry: crossings numbered by first appearance.
    EnumerazioneScifta scifta;
    if (!scifta.inizia(voce.txtNodo, voce.TxtOri)) return fail(chi + "the Gauss code cannot be read");
    EsitoOri esito;
    esito.voce = voce;
    scifta.scifta(esito.voce.txtNodo, esito.voce.TxtOri);
    const int n = scifta.numVoci() / 2;
    if (n < 1 || n > kMaxIncrociOri)
        return fail(chi + std::to_string(n) + " crossings; letters are searched for knots of 1 to " +
                    std::to_string(kMaxIncrociOri) + " crossings");
    if (!difettiCodiceGauss(esito.voce.txtNodo, std::string(static_cast<std::size_t>(n), 'O')).empty())
        return fail(chi + "the Gauss code is not valid");

    auto banco = std::make_unique<BancoCostruzione>();
    InizializzaGr(banco->griglia, banco->d.NumRighe, banco->d.NumColonne, banco->st.DimCella, GenMode::Code);
    // The full build, as the window lays a code out: layout, border walk, routing.
    const auto siDispone = [&](const std::string& lettere) {
        banco->d.txtNodo = esito.voce.txtNodo;
        banco->d.TxtOri = lettere;
        banco->s.IncrocioRadice = 1;
        return CostruisciDaCodice(banco->d, banco->s, banco->st,
                                  RenderTarget{banco->griglia, banco->tbltt, banco->palette, nullptr},
                                  banco->ui)
            .ok();
    };
    std::optional<std::map<int, std::int64_t>> nodo;
    if (static_cast<int>(esito.voce.TxtOri.size()) == n && siDispone(esito.voce.TxtOri))
        nodo = bracketNormalizzato(esito.voce.txtNodo, esito.voce.TxtOri);
    esito.nodoNoto = nodo.has_value();
    for (std::uint32_t maschera = 0; maschera < (1U << n); ++maschera) {
        if ((maschera & 63U) == 0 && controllo.richiestoStop()) return fail(kLavoroFermato);
        const std::string lettere = lettereDaMaschera(maschera, n);
        if (!siDispone(lettere)) continue;
        if (nodo && bracketNormalizzato(esito.voce.txtNodo, lettere) != nodo) continue;
        esito.voce.TxtOri = lettere;
        esito.trovata = true;
        break;
    }
    return esito;
}

Result<EsitoEspansione> GeneratblListaUg(const VoceCatalogo& voce, const LimitiEspansione& limiti,
                                         const ControlloLavoro& controllo) {
    const std::string chi = citazione(voce.nome) + ": ";
    std::optional<std::string> chiaveRadice = chiaveCanonica(voce.txtNodo);
    if (!chiaveRadice) return fail(chi + "the Gauss code cannot be read");
    EsitoEspansione e;
    InsiemeCodici visti(static_cast<std::size_t>(std::max(0L, limiti.maxDiagrammi)) + 1);
    visti.aggiungiChiave(std::move(*chiaveRadice));
    NodoLista radiceAlbero;
    radiceAlbero.Codice = voce.txtNodo;
    radiceAlbero.Ori = voce.TxtOri;
    e.diagrammi.push_back(std::move(radiceAlbero));

    // One diagram's tables, rebuilt for every record.
    auto d = std::make_unique<Diagram>();
    PassaggiRiscritti p;
    std::string chiave;
    int contaNuovi = static_cast<int>(voce.TxtOri.size());  // ContaNuoviIncroci: names of new crossings
    bool fermato = false;
    for (std::size_t cursore = 0; cursore < e.diagrammi.size() && e.limite.empty(); ++cursore) {
        if (controllo.richiestoStop()) return fail(kLavoroFermato);
        if (controllo.avanza) controllo.avanza(static_cast<long>(cursore) + 1);
        const NodoLista record = e.diagrammi[cursore];
        d->txtNodo = record.Codice;
        d->TxtOri = record.Ori;
        if (const Status s = CostruisciStrutturaRicerca(*d); !s) {
            if (cursore == 0) return fail(chi + s.error());
            continue;
        }
        RiscritturaPonte riscrittura(*d);
        const auto visita = [&](const CandidatoPonte& c) {
            if (fermato || !e.limite.empty()) return false;
            if (c.lungoIlPonte()) return true;
            if (!riscrittura.passaggi(c.archiPonte, c.archiAttraversati, c.regioni, c.ab1, p) || p.nodoBanale)
                return true;
            chiaveCanonica(p.voci, chiave);
            if (visti.contieneChiave(chiave)) return true;
            if (record.Profondita + 1 > limiti.maxProfondita) {
                e.limite = "the depth limit (" + std::to_string(limiti.maxProfondita) + " moves)";
                return false;
            }
            if (visti.pieno()) {
                e.limite = "the limit of " + std::to_string(limiti.maxDiagrammi) + " diagrams";
                return false;
            }
            const NuovoNodo nuovo = riscrittura.nodo(p, contaNuovi, -1);
            contaNuovi += p.nuoviIncroci;
            visti.aggiungiChiave(chiave);
            NodoLista figlio;
            figlio.Codice = nuovo.txtNodo;
            figlio.Ori = nuovo.TxtOri;
            figlio.IndicePadre = static_cast<long>(cursore);
            figlio.Mossa = c.indicePercorso;
            figlio.Profondita = record.Profondita + 1;
            e.diagrammi.push_back(std::move(figlio));
            return true;
        };
        const auto cedi = [&] {
            if (!fermato && controllo.richiestoStop()) fermato = true;
        };
        for (const char k : {'-', '+'}) {
            const EsitoEnumerazionePonti r = EnumeraCandidatiPonte(*d, k, k == '-' ? '+' : '-', true, visita,
                                                                   limiti.ponte, false, cedi, false);
            e.troncato = e.troncato || r.troncato;
            if (fermato) return fail(kLavoroFermato);
        }
    }
    return e;
}

std::string righeListato(const std::string& nome, const EsitoEspansione& e) {
    std::string testo;
    for (std::size_t k = 0; k < e.diagrammi.size(); ++k) {
        const NodoLista& r = e.diagrammi[k];
        testo += nome + "_" + std::to_string(k + 1) + "_" + std::to_string(r.IndicePadre + 1) + "|" +
                 r.Codice + "|" + r.Ori + "\n";
    }
    return testo;
}

std::string_view nomeDaEtichetta(std::string_view etichetta) {
    std::string_view resto = etichetta;
    for (int parte = 0; parte < 2; ++parte) {
        const std::size_t trattino = resto.rfind('_');
        if (trattino == std::string_view::npos || trattino + 1 == resto.size()) return etichetta;
        const std::string_view numero = resto.substr(trattino + 1);
        if (!std::all_of(numero.begin(), numero.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
            return etichetta;
        resto = resto.substr(0, trattino);
    }
    return resto;
}

Result<std::vector<VoceCatalogo>> CaricaTabellaStack(std::string_view testo) {
    std::vector<VoceCatalogo> voci;
    std::optional<std::string> codice;
    std::size_t rigaCodice = 0;
    std::string errore;
    perRiga(testo, [&](std::size_t numero, std::string_view riga) {
        if (riga.size() > kMaxRigaCatalogo && !trim(riga).empty()) {
            errore = "line " + std::to_string(numero) + ": " + rigaTroppoLunga(riga.size());
            return false;
        }
        riga = trim(riga);
        if (riga.empty()) return true;
        if (!codice) {
            if (static_cast<int>(voci.size()) >= kMaxVociCatalogo) return false;
            codice = std::string(riga);
            rigaCodice = numero;
            return true;
        }
        voci.push_back(VoceCatalogo{std::to_string(voci.size()), std::move(*codice), std::string(riga)});
        codice.reset();
        return true;
    });
    if (!errore.empty()) return fail(errore);
    if (codice) return fail("line " + std::to_string(rigaCodice) + ": a Gauss code without its letters");
    return voci;
}

Result<std::string> CodMioDaGauss(std::string_view testo) {
    // Read twice: once to check every line and count the bytes of the catalogue lines, once to write them
    // into a text of that size (a text grown line by line would hold up to twice its size while it grows).
    std::string uscita, errore, codice;
    std::size_t byte = 0;
    for (const bool scrivi : {false, true}) {
        if (scrivi) uscita.reserve(byte);
        int m = 0;
        perRiga(testo, [&](std::size_t numero, std::string_view riga) {
            if (trim(riga).empty()) return true;
            const auto dove = [numero] { return "line " + std::to_string(numero) + ": "; };
            if (riga.size() > kMaxRigaCatalogo) {
                errore = dove() + rigaTroppoLunga(riga.size());
                return false;
            }
            codice.clear();
            std::size_t voci = 0;
            for (std::size_t inizio = 0; inizio <= riga.size();) {
                std::size_t virgola = riga.find(',', inizio);
                if (virgola == std::string_view::npos) virgola = riga.size();
                const std::string_view voce = trim(riga.substr(inizio, virgola - inizio));
                if (voce.empty()) {
                    errore = dove() + "an empty label";
                    return false;
                }
                if (voce.front() != '-' && voce.front() != '+') codice += '+';
                codice += voce;
                ++voci;
                inizio = virgola + 1;
            }
            if (codice.empty()) {
                errore = dove() + "an empty line";
                return false;
            }
            // The sign of passage 1 goes to the end: each label is then followed by the next passage's sign.
            std::rotate(codice.begin(), codice.begin() + 1, codice.end());
            const std::size_t incroci = voci / 2;
            if (!scrivi &&
                (voci % 2 != 0 || !difettiCodiceGauss(codice, std::string(incroci, 'O')).empty())) {
                errore = dove() + citazione(trim(riga)) + " is not a Gauss code";
                return false;
            }
            ++m;
            std::string num = std::to_string(m);
            if (num.size() < 3) num.insert(0, 3 - num.size(), '0');
            if (!scrivi) {
                byte += 1 + num.size() + 1 + codice.size() + 1 + incroci + 1;
                return true;
            }
            uscita.append("n").append(num).append("|").append(codice).append("|").append(incroci, 'O') +=
                '\n';
            return true;
        });
        if (!errore.empty()) return fail(errore);
    }
    return uscita;
}

RigheConfronto righeDiListato(const Listato& listato) {
    return {listato.size(), [&listato](std::size_t i) {
                const VoceVista v = listato[i];
                return RigaConfronto{nomeDaEtichetta(v.nome), v};
            }};
}

RigheConfronto righeDiCatalogo(const std::vector<VoceCatalogo>& catalogo) {
    return {catalogo.size(), [&catalogo](std::size_t i) {
                const VoceCatalogo& v = catalogo[i];
                return RigaConfronto{nomeDaEtichetta(v.nome), VoceVista{v.nome, v.txtNodo, v.TxtOri}};
            }};
}

RigheConfronto righeDiListati(const std::vector<ListatoNominato>& listati) {
    // Where each listing's lines start among all of them.
    std::vector<std::size_t> inizi{0};
    for (const ListatoNominato& l : listati) inizi.push_back(inizi.back() + l.second.size());
    const std::size_t numero = inizi.back();
    return {
        numero, [&listati, inizi = std::move(inizi)](std::size_t i) {
            const auto k =
                static_cast<std::size_t>(std::upper_bound(inizi.begin(), inizi.end(), i) - inizi.begin()) - 1;
            return RigaConfronto{listati[k].first, listati[k].second[i - inizi[k]]};
        }};
}

namespace {

// A line in the order of the lines' keys: its key's hash and its number.
struct Posto {
    std::uint64_t hash;
    std::uint32_t riga;
};

// The lines' keys, made once for each line: the lesser of the canonical keys of its code and of its code
// with every sign exchanged (the same for a diagram and its mirror image), one after the other in one
// buffer; and whether the code's own key is that lesser one.
class ChiaviRighe {
  public:
    // Lines da..a - 1 of righe; refused at the first whose code cannot be read (its label named), or
    // stopped (kLavoroFermato).
    static Result<ChiaviRighe> crea(const RigheConfronto& righe, std::size_t da, std::size_t a,
                                    const ControlloLavoro& controllo = {}) {
        if (a - da >= std::numeric_limits<std::uint32_t>::max())
            return fail(std::to_string(a - da) + " lines are more than the search takes");
        ChiaviRighe c;
        c.da_ = da;
        c.fine_.reserve(a - da);
        c.propria_.reserve(a - da);
        std::vector<VoceScifta> voci;
        std::string propria, riflessa;
        for (std::size_t i = da; i < a; ++i) {
            if ((i - da) % 4096 == 4095 && controllo.richiestoStop()) return fail(kLavoroFermato);
            const RigaConfronto r = righe.riga(i);
            if (!leggiVociScifta(r.voce.txtNodo, voci))
                return fail(citazione(r.voce.nome) + ": the Gauss code cannot be read");
            chiaveCanonica(voci, propria);
            for (VoceScifta& v : voci) v.sign = v.sign == '+' ? '-' : v.sign == '-' ? '+' : v.sign;
            chiaveCanonica(voci, riflessa);
            const bool suaPropria = propria <= riflessa;
            c.byte_ += suaPropria ? propria : riflessa;
            if (c.byte_.size() > std::numeric_limits<std::uint32_t>::max())
                return fail("the lines' keys are more than the search takes");
            c.fine_.push_back(static_cast<std::uint32_t>(c.byte_.size()));
            c.propria_.push_back(suaPropria);
        }
        return c;
    }

    // The key of line i (of the lines given to crea).
    std::string_view chiave(std::size_t i) const {
        const std::size_t k = i - da_;
        const std::size_t inizio = k == 0 ? 0 : fine_[k - 1];
        return std::string_view(byte_).substr(inizio, fine_[k] - inizio);
    }
    bool propria(std::size_t i) const { return propria_[i - da_]; }

    // Lines da..a - 1 in the order of their keys (by the keys' hashes, which are compared first, then by
    // the keys), lines of one key in their own order.
    std::vector<Posto> ordine(std::size_t da, std::size_t a) const {
        std::vector<Posto> o(a - da);
        for (std::size_t i = da; i < a; ++i)
            o[i - da] = Posto{std::hash<std::string_view>{}(chiave(i)), static_cast<std::uint32_t>(i)};
        std::sort(o.begin(), o.end(), [](const Posto& x, const Posto& y) {
            return x.hash < y.hash || (x.hash == y.hash && x.riga < y.riga);
        });
        // Keys of one hash that differ, which are rare: that stretch by key, then line.
        for (std::size_t s = 0; s < o.size();) {
            std::size_t e = s + 1;
            bool diverse = false;
            for (; e < o.size() && o[e].hash == o[s].hash; ++e)
                diverse = diverse || chiave(o[e].riga) != chiave(o[s].riga);
            if (diverse)
                std::sort(o.begin() + static_cast<std::ptrdiff_t>(s),
                          o.begin() + static_cast<std::ptrdiff_t>(e), [this](const Posto& x, const Posto& y) {
                              const int c = chiave(x.riga).compare(chiave(y.riga));
                              return c < 0 || (c == 0 && x.riga < y.riga);
                          });
            s = e;
        }
        return o;
    }

    // Where x (of these keys) stands in the order of the keys against y (of the keys `altre`): below 0
    // before it, 0 for the same key, above 0 after it.
    int confronta(const Posto& x, const ChiaviRighe& altre, const Posto& y) const {
        if (x.hash != y.hash) return x.hash < y.hash ? -1 : 1;
        return chiave(x.riga).compare(altre.chiave(y.riga));
    }

  private:
    std::size_t da_ = 0;
    std::string byte_;
    std::vector<std::uint32_t> fine_;
    std::vector<bool> propria_;
};

// A group of these lines, the first one's key telling which are mirrored.
void aggiungiAlGruppo(GruppoDoppi& g, const ChiaviRighe& chiavi, const Posto* inizio, const Posto* fine,
                      bool prima) {
    for (const Posto* p = inizio; p != fine; ++p)
        g.righe.push_back(GruppoDoppi::Riga{p->riga, chiavi.propria(p->riga) != prima});
}

// The end of the stretch of o that starts at s and holds one key.
std::size_t fineChiave(const ChiaviRighe& chiavi, const std::vector<Posto>& o, std::size_t s) {
    std::size_t e = s + 1;
    while (e < o.size() && chiavi.confronta(o[e], chiavi, o[s]) == 0) ++e;
    return e;
}

void ordinaPerPrimaRiga(std::vector<GruppoDoppi>& gruppi) {
    std::sort(gruppi.begin(), gruppi.end(), [](const GruppoDoppi& a, const GruppoDoppi& b) {
        return a.righe.front().indice < b.righe.front().indice;
    });
}

void scriviRiga(std::string& testo, const GruppoDoppi::Riga& r, const RigaConfronto& riga) {
    testo += r.specchio ? "~ " : "= ";
    testo.append(riga.voce.nome).append("|").append(riga.voce.txtNodo).append("|").append(riga.voce.TxtOri);
    testo.append(" (").append(riga.origine).append(")\n");
}

void scriviForma(std::string& testo, const RigaConfronto& prima) {
    const std::optional<std::string> forma = formaCanonica(prima.voce.txtNodo);
    testo += "* ";
    testo += forma ? std::string_view(*forma) : prima.voce.txtNodo;
    testo += "\n";
}

}  // namespace

Result<std::vector<GruppoDoppi>> CercaDoppi(const RigheConfronto& righe) {
    // Lines are grouped by the lesser of the canonical keys of their code and of the code with every sign
    // exchanged, so that both fall in one group: the lines sorted by that key, each run of one key a group.
    Result<ChiaviRighe> chiavi = ChiaviRighe::crea(righe, 0, righe.numero);
    if (!chiavi) return fail(chiavi.error());
    const std::vector<Posto> ordine = chiavi->ordine(0, righe.numero);
    std::vector<GruppoDoppi> doppi;
    for (std::size_t s = 0; s < ordine.size();) {
        const std::size_t e = fineChiave(*chiavi, ordine, s);
        if (e - s >= 2) {
            const std::string_view origine = righe.riga(ordine[s].riga).origine;
            bool altre = false;
            for (std::size_t k = s + 1; k < e && !altre; ++k)
                altre = righe.riga(ordine[k].riga).origine != origine;
            if (altre) {
                GruppoDoppi g;
                g.righe.reserve(e - s);
                aggiungiAlGruppo(g, *chiavi, ordine.data() + s, ordine.data() + e,
                                 chiavi->propria(ordine[s].riga));
                doppi.push_back(std::move(g));
            }
        }
        s = e;
    }
    ordinaPerPrimaRiga(doppi);
    return doppi;
}

std::string testoDoppi(const std::vector<GruppoDoppi>& gruppi, const RigheConfronto& righe,
                       std::size_t maxRighe) {
    std::string testo;
    std::size_t scritte = 0;
    for (const GruppoDoppi& g : gruppi) {
        if (scritte++ >= maxRighe) break;
        scriviForma(testo, righe.riga(g.righe.front().indice));
        for (const GruppoDoppi::Riga& r : g.righe) {
            if (scritte++ >= maxRighe) break;
            scriviRiga(testo, r, righe.riga(r.indice));
        }
    }
    return testo;
}

Result<std::vector<GruppoDoppi>> VerificaGaussUguale(const std::vector<VoceCatalogo>& catalogo) {
    return CercaDoppi(righeDiCatalogo(catalogo));
}

Result<std::vector<GruppoDoppi>> VerificaGaussUgualesoloconfr(const std::vector<ListatoNominato>& listati) {
    return CercaDoppi(righeDiListati(listati));
}

Result<std::string> ConfrontoFraduenodi(const std::vector<ListatoNominato>& listati,
                                        const ControlloLavoro& controllo, std::size_t maxTesto) {
    const RigheConfronto righe = righeDiListati(listati);
    // Each listing's keys, and its lines in the order of their keys, made once.
    std::vector<std::size_t> inizio(listati.size() + 1, 0);
    for (std::size_t i = 0; i < listati.size(); ++i) inizio[i + 1] = inizio[i] + listati[i].second.size();
    std::vector<ChiaviRighe> chiavi;
    std::vector<std::vector<Posto>> ordini;
    for (std::size_t i = 0; i < listati.size(); ++i) {
        Result<ChiaviRighe> c = ChiaviRighe::crea(righe, inizio[i], inizio[i + 1], controllo);
        if (!c) return fail(c.error() == kLavoroFermato ? c.error() : listati[i].first + ": " + c.error());
        ordini.push_back(c->ordine(inizio[i], inizio[i + 1]));
        chiavi.push_back(std::move(*c));
    }
    std::string testo;
    long coppie = 0;
    std::vector<GruppoDoppi> gruppi;
    for (std::size_t i = 0; i < listati.size(); ++i)
        for (std::size_t j = i + 1; j < listati.size(); ++j) {
            if (controllo.richiestoStop()) return fail(kLavoroFermato);
            if (controllo.avanza) controllo.avanza(++coppie);
            // Two listings of one name are one origin: they share nothing.
            if (listati[i].first == listati[j].first) continue;
            // The two orders walked side by side: a key met in both is a group, the first listing's lines
            // first.
            const std::vector<Posto>&oi = ordini[i], &oj = ordini[j];
            gruppi.clear();
            for (std::size_t a = 0, c = 0; a < oi.size() && c < oj.size();) {
                const int confronto = chiavi[i].confronta(oi[a], chiavi[j], oj[c]);
                const std::size_t b = confronto <= 0 ? fineChiave(chiavi[i], oi, a) : a;
                const std::size_t d = confronto >= 0 ? fineChiave(chiavi[j], oj, c) : c;
                if (confronto == 0) {
                    GruppoDoppi g;
                    g.righe.reserve(b - a + d - c);
                    const bool prima = chiavi[i].propria(oi[a].riga);
                    aggiungiAlGruppo(g, chiavi[i], oi.data() + a, oi.data() + b, prima);
                    aggiungiAlGruppo(g, chiavi[j], oj.data() + c, oj.data() + d, prima);
                    gruppi.push_back(std::move(g));
                }
                a = b;
                c = d;
            }
            if (gruppi.empty()) continue;
            ordinaPerPrimaRiga(gruppi);
            const auto troppo = [&] {
                const std::string misura = maxTesto >= (std::size_t{1} << 20)
                                               ? std::to_string(maxTesto >> 20) + " MB"
                                               : std::to_string(maxTesto) + " bytes";
                return fail("the comparison's text would pass " + misura + " at " + listati[i].first + " - " +
                            listati[j].first + ": compare fewer or smaller listings");
            };
            testo += "== " + listati[i].first + " - " + listati[j].first + "\n";
            for (const GruppoDoppi& g : gruppi) {
                scriviForma(testo, righe.riga(g.righe.front().indice));
                for (const GruppoDoppi::Riga& r : g.righe) {
                    scriviRiga(testo, r, righe.riga(r.indice));
                    if (testo.size() > maxTesto) return troppo();
                }
            }
        }
    return testo;
}

}  // namespace trevalon
