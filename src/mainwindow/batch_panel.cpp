#include "mainwindow/batch_panel.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "mainwindow/batch_tools.h"
#include "mainwindow/file_dialogs.h"
#include "mainwindow/window_context.h"
#include "model/knot_files.h"
#include "platform/safe_file.h"
#include "platform/text.h"

namespace trevalon {

namespace {

namespace fs = std::filesystem;

// The most lines of a result a message box shows.
constexpr std::size_t kRigheMostrate = 30;

// A long tool under the stop frame: "Cancel" is read, and the window's events served, once per diagram;
// the count of diagrams done goes to the status panel.
template <class Lavoro>
auto conStop(ContestoFinestra& f, const char* testo, Lavoro&& lavoro) {
    f.RichiestaStop.azzera();
    f.ui.showStopFrame(testo);
    f.ui.setToolbarEnabled(false);
    struct Fine {
        ContestoFinestra& f;
        ~Fine() {
            f.ui.hideStopFrame();
            f.ui.setToolbarEnabled(true);
            f.RichiestaStop.azzera();
        }
    } fine{f};
    BusyGuard busy(f.ui);
    const ControlloLavoro controllo{[&f] {
                                        f.ui.yieldToEvents();
                                        return f.RichiestaStop.richiesta();
                                    },
                                    [&f](long k) { f.ui.setPanel("p2", std::to_string(k)); }};
    return lavoro(controllo);
}

// Writes the whole text or nothing; a failure is shown and the file left as it was.
bool scrivi(ContestoFinestra& f, const std::string& nome, const std::string& testo) {
    if (const Status s = replaceFileContents(nome, testo); !s) {
        f.ui.showMessage("The file could not be written: " + nome + ": " + s.error());
        return false;
    }
    return true;
}

// A text file chosen in the open dialog and read; nullopt (the reason shown) when none could be read.
std::optional<std::string> leggiScelto(ContestoFinestra& f, std::string* nome = nullptr) {
    const std::string scelto = Apri(f, DialogKind::Text);
    if (scelto.empty()) return std::nullopt;
    std::string testo;
    if (const Status s = leggiTestoFile(scelto, testo); !s) {
        f.ui.showMessage("The file could not be read: " + scelto + ": " + s.error());
        return std::nullopt;
    }
    if (nome) *nome = scelto;
    return testo;
}

// The first lines of a text, for a message box.
std::string inizio(const std::string& testo) {
    std::size_t pos = 0;
    for (std::size_t righe = 0; righe < kRigheMostrate && pos < testo.size(); ++righe) {
        const std::size_t fine = testo.find('\n', pos);
        pos = fine == std::string::npos ? testo.size() : fine + 1;
    }
    return pos < testo.size() ? testo.substr(0, pos) + "..." : testo;
}

bool catalogoPresente(ContestoFinestra& f, const CatalogoStrumenti& p) {
    if (!p.catalogo().empty()) return true;
    f.ui.showMessage("The catalogue of knots is empty.");
    return false;
}

}  // namespace

void Command13_Click(ContestoFinestra& f, CatalogoStrumenti& p) {
    if (!catalogoPresente(f, p)) return;
    std::vector<VoceCatalogo> voci = p.catalogo();
    if (!f.ui.askYesNo("Expand every entry of the catalogue?\n(No: the chosen entry alone)"))
        voci = {p.catalogo().at(static_cast<std::size_t>(p.voceScelta()))};
    const std::string nome = Salva(f, DialogKind::Text);
    if (nome.empty()) return;
    std::string testo, note;
    long diagrammi = 0;
    const std::string errore = conStop(f, "Expanding the catalogue ...", [&](const ControlloLavoro& c) {
        for (const VoceCatalogo& v : voci) {
            f.ui.setPanel("p1", v.nome);
            Result<EsitoEspansione> e = GeneratblListaUg(v, {}, c);
            if (!e) return e.error();
            testo += righeListato(v.nome, *e);
            diagrammi += static_cast<long>(e->diagrammi.size());
            if (!e->limite.empty()) note += "\n" + v.nome + ": cut short at " + e->limite + ".";
            if (e->troncato) note += "\n" + v.nome + ": some routes were left out at the search's caps.";
        }
        return std::string();
    });
    if (errore == kLavoroFermato) {
        f.ui.showMessage("The expansion was stopped: nothing was written.");
        return;
    }
    if (!errore.empty()) {
        f.ui.showMessage(errore);
        return;
    }
    if (scrivi(f, nome, testo))
        f.ui.showMessage(std::to_string(diagrammi) + " diagrams listed in " + nome + "." + note);
}

void generaOri_Click(ContestoFinestra& f, CatalogoStrumenti& p) {
    if (!catalogoPresente(f, p)) return;
    const std::string nome = Salva(f, DialogKind::Text);
    if (nome.empty()) return;
    std::string testo, note;
    const std::string errore = conStop(f, "Searching for letters ...", [&](const ControlloLavoro& c) {
        for (const VoceCatalogo& v : p.catalogo()) {
            f.ui.setPanel("p1", v.nome);
            Result<EsitoOri> e = generaOri(v, c);
            if (!e) {
                if (e.error() == kLavoroFermato) return e.error();
                note += "\n" + e.error() + ".";
                continue;
            }
            if (!e->trovata) {
                note += "\n" + v.nome + ": no letters lay the code out.";
                continue;
            }
            if (!e->nodoNoto)
                note += "\n" + v.nome + ": its own letters do not lay it out; the mirror may be meant.";
            testo += e->voce.nome + "|" + e->voce.txtNodo + "|" + e->voce.TxtOri + "\n";
        }
        return std::string();
    });
    if (errore == kLavoroFermato) {
        f.ui.showMessage("The search for letters was stopped: nothing was written.");
        return;
    }
    if (scrivi(f, nome, testo)) f.ui.showMessage("Letters written to " + nome + "." + note);
}

void Cmdutil_Click(ContestoFinestra& f) {
    const std::optional<std::string> risposta =
        f.ui.askInput("The listing files to compare, separated by \",\"", "Util", "");
    if (!risposta) return;
    std::vector<ListatoNominato> listati;
    // The listings are held together: together they may take what one file may.
    std::uintmax_t insieme = 0;
    std::string_view resto = *risposta;
    while (!resto.empty() || listati.empty()) {
        const std::size_t virgola = resto.find(',');
        const std::string_view voce = trim(resto.substr(0, virgola));
        resto = virgola == std::string_view::npos ? std::string_view() : resto.substr(virgola + 1);
        if (voce.empty()) {
            if (resto.empty()) break;
            continue;
        }
        fs::path file(voce);
        if (file.is_relative()) file = f.CartellaDialoghi / file;
        // Read up to what the listings before it leave.
        FileRead letto = readRegularFile(file, kMaxKnotFileBytes - insieme);
        if (letto.refusal == ReadRefusal::TooLarge && insieme > 0) {
            f.ui.showMessage("The listings are too large together: with " + file.string() + " they pass " +
                             std::to_string(kMaxKnotFileBytes >> 20) +
                             " MB, the most they may take together. Compare fewer at a time.");
            return;
        }
        if (letto.refusal != ReadRefusal::None) {
            f.ui.showMessage("The file could not be read: " + file.string() + ": " +
                             readRefusalMessage(letto, file.string()));
            return;
        }
        insieme += letto.bytes.size();
        Result<Listato> righe = leggiListato(std::move(letto.bytes));
        if (!righe) {
            f.ui.showMessage("The listing " + file.string() + " is faulty, " + righe.error());
            return;
        }
        listati.emplace_back(file.filename().string(), std::move(*righe));
    }
    if (listati.size() < 2) {
        f.ui.showMessage("Name at least two listing files.");
        return;
    }
    const Result<std::string> confronto = conStop(f, "Comparing listings ...", [&](const ControlloLavoro& c) {
        return ConfrontoFraduenodi(listati, c);
    });
    if (!confronto) {
        f.ui.showMessage(confronto.error() == kLavoroFermato
                             ? "The comparison was stopped."
                             : "The listings could not be compared: " + confronto.error());
        return;
    }
    if (confronto->empty()) {
        f.ui.showMessage("No two listings share a diagram.");
        return;
    }
    const std::string nome = Salva(f, DialogKind::Text);
    if (!nome.empty()) scrivi(f, nome, *confronto);
}

void Command12_Click(ContestoFinestra& f) {
    std::string origine;
    const std::optional<std::string> testo = leggiScelto(f, &origine);
    if (!testo) return;
    const Result<std::string> righe = CodMioDaGauss(*testo);
    if (!righe) {
        f.ui.showMessage(origine + ": " + righe.error());
        return;
    }
    const std::string nome = Salva(f, DialogKind::Text);
    if (!nome.empty()) scrivi(f, nome, *righe);
}

void Cmdruota_Click(ContestoFinestra& f, const CatalogoStrumenti& p) {
    if (!catalogoPresente(f, p)) return;
    const Result<std::vector<GruppoDoppi>> gruppi = VerificaGaussUguale(p.catalogo());
    if (!gruppi) {
        f.ui.showMessage(gruppi.error());
        return;
    }
    if (gruppi->empty()) {
        f.ui.showMessage("No two entries of the catalogue share a diagram.");
        return;
    }
    const std::string nome = Salva(f, DialogKind::Text);
    if (!nome.empty()) scrivi(f, nome, testoDoppi(*gruppi, righeDiCatalogo(p.catalogo())));
}

void CercaDoppi_Click(ContestoFinestra& f) {
    std::string origine;
    std::optional<std::string> testo = leggiScelto(f, &origine);
    if (!testo) return;
    const Result<Listato> listato = leggiListato(std::move(*testo));
    if (!listato) {
        f.ui.showMessage("The listing " + origine + " is faulty, " + listato.error());
        return;
    }
    const RigheConfronto righe = righeDiListato(*listato);
    const Result<std::vector<GruppoDoppi>> gruppi = CercaDoppi(righe);
    if (!gruppi) {
        f.ui.showMessage(gruppi.error());
        return;
    }
    if (gruppi->empty()) {
        f.ui.showMessage("No diagram is listed under two knots' names.");
        return;
    }
    // The first lines only are shown: the text stops one line after them.
    f.ui.showMessage(std::to_string(gruppi->size()) + " diagrams are listed under two knots' names:\n" +
                     inizio(testoDoppi(*gruppi, righe, kRigheMostrate + 1)));
}

void CaricaTabellaStack_Click(ContestoFinestra& f, CatalogoStrumenti& p) {
    std::string origine;
    const std::optional<std::string> testo = leggiScelto(f, &origine);
    if (!testo) return;
    Result<std::vector<VoceCatalogo>> voci = CaricaTabellaStack(*testo);
    if (!voci) {
        f.ui.showMessage("The catalogue " + origine + " is faulty, " + voci.error());
        return;
    }
    p.impostaCatalogo(std::move(*voci));
}

}  // namespace trevalon
