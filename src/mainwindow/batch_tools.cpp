#include "mainwindow/batch_tools.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <set>
#include <unordered_map>

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
    int numero = 0;
    LineReader righe(testo);
    for (std::string_view riga; righe.next(riga);)
        if (!f(++numero, riga)) return;
}

std::string specchio(std::string_view txtNodo) {
    std::string s(txtNodo);
    for (char& ch : s) ch = ch == '+' ? '-' : ch == '-' ? '+' : ch;
    return s;
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

std::string nomeDaEtichetta(std::string_view etichetta) {
    std::string_view resto = etichetta;
    for (int parte = 0; parte < 2; ++parte) {
        const std::size_t trattino = resto.rfind('_');
        if (trattino == std::string_view::npos || trattino + 1 == resto.size()) return std::string(etichetta);
        const std::string_view numero = resto.substr(trattino + 1);
        if (!std::all_of(numero.begin(), numero.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
            return std::string(etichetta);
        resto = resto.substr(0, trattino);
    }
    return std::string(resto);
}

Result<std::vector<VoceCatalogo>> leggiListato(std::string_view testo) {
    std::vector<VoceCatalogo> righe;
    std::string errore;
    perRiga(testo, [&](int numero, std::string_view riga) {
        if (trim(riga).empty()) return true;
        Result<VoceCatalogo> v = leggiVoceCatalogo(riga);
        if (!v) {
            errore = "line " + std::to_string(numero) + ": " + v.error();
            return false;
        }
        righe.push_back(std::move(*v));
        return true;
    });
    if (!errore.empty()) return fail(errore);
    return righe;
}

Result<std::vector<VoceCatalogo>> CaricaTabellaStack(std::string_view testo) {
    std::vector<VoceCatalogo> voci;
    std::optional<std::string> codice;
    int rigaCodice = 0;
    perRiga(testo, [&](int numero, std::string_view riga) {
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
    if (codice) return fail("line " + std::to_string(rigaCodice) + ": a Gauss code without its letters");
    return voci;
}

Result<std::string> CodMioDaGauss(std::string_view testo) {
    std::string uscita, errore;
    int m = 0;
    perRiga(testo, [&](int numero, std::string_view riga) {
        if (trim(riga).empty()) return true;
        const std::string dove = "line " + std::to_string(numero) + ": ";
        std::string codice;
        int voci = 0;
        for (std::size_t inizio = 0; inizio <= riga.size();) {
            std::size_t virgola = riga.find(',', inizio);
            if (virgola == std::string_view::npos) virgola = riga.size();
            const std::string_view voce = trim(riga.substr(inizio, virgola - inizio));
            if (voce.empty()) {
                errore = dove + "an empty label";
                return false;
            }
            if (voce.front() != '-' && voce.front() != '+') codice += '+';
            codice += voce;
            ++voci;
            inizio = virgola + 1;
        }
        if (codice.empty()) {
            errore = dove + "an empty line";
            return false;
        }
        // The sign of passage 1 goes to the end: each label is then followed by the next passage's sign.
        std::rotate(codice.begin(), codice.begin() + 1, codice.end());
        const std::string lettere(static_cast<std::size_t>(voci / 2), 'O');
        if (voci % 2 != 0 || !difettiCodiceGauss(codice, lettere).empty()) {
            errore = dove + citazione(trim(riga)) + " is not a Gauss code";
            return false;
        }
        ++m;
        std::string num = std::to_string(m);
        if (num.size() < 3) num.insert(0, 3 - num.size(), '0');
        uscita += "n" + num + "|" + codice + "|" + lettere + "\n";
        return true;
    });
    if (!errore.empty()) return fail(errore);
    return uscita;
}

Result<std::vector<GruppoDoppi>> CercaDoppi(const std::vector<RigaConfronto>& righe) {
    // Lines are grouped by the lesser of the canonical keys of their code and of the code with every sign
    // exchanged, so that both fall in one group.
    std::unordered_map<std::string, std::size_t> gruppoDi;
    std::vector<GruppoDoppi> gruppi;
    std::vector<std::string> chiavePrima;
    std::vector<std::set<std::string>> origini;
    for (const RigaConfronto& r : righe) {
        const std::optional<std::string> propria = chiaveCanonica(r.voce.txtNodo);
        const std::optional<std::string> riflessa = chiaveCanonica(specchio(r.voce.txtNodo));
        if (!propria || !riflessa) return fail(citazione(r.voce.nome) + ": the Gauss code cannot be read");
        const std::string& classe = std::min(*propria, *riflessa);
        auto [it, nuovo] = gruppoDi.try_emplace(classe, gruppi.size());
        if (nuovo) {
            gruppi.push_back(GruppoDoppi{formaCanonica(r.voce.txtNodo).value_or(r.voce.txtNodo), {}});
            chiavePrima.push_back(*propria);
            origini.emplace_back();
        }
        const std::size_t g = it->second;
        gruppi[g].righe.push_back(GruppoDoppi::Riga{r, *propria != chiavePrima[g]});
        origini[g].insert(r.origine);
    }
    std::vector<GruppoDoppi> doppi;
    for (std::size_t g = 0; g < gruppi.size(); ++g)
        if (origini[g].size() >= 2) doppi.push_back(std::move(gruppi[g]));
    return doppi;
}

std::string testoDoppi(const std::vector<GruppoDoppi>& gruppi) {
    std::string testo;
    for (const GruppoDoppi& g : gruppi) {
        testo += "* " + g.forma + "\n";
        for (const GruppoDoppi::Riga& r : g.righe)
            testo += std::string(r.specchio ? "~ " : "= ") + r.riga.voce.nome + "|" + r.riga.voce.txtNodo +
                     "|" + r.riga.voce.TxtOri + " (" + r.riga.origine + ")\n";
    }
    return testo;
}

Result<std::vector<GruppoDoppi>> VerificaGaussUguale(const std::vector<VoceCatalogo>& catalogo) {
    std::vector<RigaConfronto> righe;
    righe.reserve(catalogo.size());
    for (const VoceCatalogo& v : catalogo) righe.push_back(RigaConfronto{nomeDaEtichetta(v.nome), v});
    return CercaDoppi(righe);
}

Result<std::vector<GruppoDoppi>> VerificaGaussUgualesoloconfr(
    const std::vector<std::pair<std::string, std::vector<VoceCatalogo>>>& listati) {
    std::vector<RigaConfronto> righe;
    for (const auto& [nome, voci] : listati)
        for (const VoceCatalogo& v : voci) righe.push_back(RigaConfronto{nome, v});
    return CercaDoppi(righe);
}

Result<std::string> ConfrontoFraduenodi(
    const std::vector<std::pair<std::string, std::vector<VoceCatalogo>>>& listati,
    const ControlloLavoro& controllo) {
    std::string testo;
    long coppie = 0;
    for (std::size_t i = 0; i < listati.size(); ++i)
        for (std::size_t j = i + 1; j < listati.size(); ++j) {
            if (controllo.richiestoStop()) return fail(kLavoroFermato);
            if (controllo.avanza) controllo.avanza(++coppie);
            Result<std::vector<GruppoDoppi>> gruppi = VerificaGaussUgualesoloconfr({listati[i], listati[j]});
            if (!gruppi) return fail(listati[i].first + " or " + listati[j].first + ": " + gruppi.error());
            if (gruppi->empty()) continue;
            testo += "== " + listati[i].first + " - " + listati[j].first + "\n" + testoDoppi(*gruppi);
        }
    return testo;
}

}  // namespace trevalon
