#include "designer/compiler.h"

#include <cctype>
#include <optional>
#include <system_error>
#include <utility>

#include "layout/palette.h"
#include "model/cell_drawing_snapshot.h"
#include "moves/compare.h"
#include "platform/safe_file.h"

namespace trevalon {

namespace {

namespace fs = std::filesystem;

bool maiuscole(const std::string& s) {
    bool lettera = false;
    for (char ch : s) {
        if (std::islower(static_cast<unsigned char>(ch))) return false;
        if (std::isupper(static_cast<unsigned char>(ch))) lettera = true;
    }
    return lettera;
}

std::string fallita(const std::string& perche) {
    return std::string(kCompilazioneFallita) + ": " + perche;
}

}  // namespace

Result<fs::path> nomeFileNodo(const fs::path& sorgente) {
    if (sorgente.filename().empty()) return fail("the knot source has no file name");
    fs::path nodo = sorgente;
    const std::string estensione = sorgente.extension().string();
    nodo.replace_extension(maiuscole(estensione) ? ".KNO" : ".kno");
    if (nodo == sorgente) return fail("the knot file would be written over the source " + sorgente.string());
    return nodo;
}

EsitoCompila compilaDisegno(DisegnoProgetto& d) {
    EsitoCompila out;
    out.controllo = ControllaSource(d);
    if (!out.controllo.ok) {
        out.messaggio = out.controllo.messaggio;
        return out;
    }
    Result<std::string> sorgente = testoSorgente(d);
    if (!sorgente) {
        out.messaggio = fallita(sorgente.error());
        return out;
    }
    out.testoSorgente = std::move(*sorgente);

    // Built as the main window builds a knot source handed to it.
    const TilePalette disegni(PaletteId::Form1b, false);
    Result<NodoCostruito> nodo = costruisciNodoDisegnato(out.testoSorgente, KnotFileKind::Source, disegni);
    if (!nodo) {
        out.messaggio = fallita(nodo.error());
        return out;
    }
    if (!nodo->diagram || !nodo->tblGen || nodo->NumIncrociDis < kMinIncrociCostruzione) {
        out.messaggio = fallita("the drawing gives no knot diagram of at least " +
                                std::to_string(kMinIncrociCostruzione) + " crossings.");
        return out;
    }
    out.testoNodo = "Object=" + serializzaCelDis(*nodo->tblGen) + "\r\n";

    // The knot file must open as the same knot.
    const Result<NodoCostruito> riletto =
        costruisciNodoDisegnato(out.testoNodo, KnotFileKind::Object, disegni);
    if (!riletto) {
        out.messaggio = fallita("the knot file does not open: " + riletto.error());
        return out;
    }
    const std::optional<std::string> prima = formaCanonica(nodo->diagram->txtNodo);
    const std::optional<std::string> dopo =
        riletto->diagram ? formaCanonica(riletto->diagram->txtNodo) : std::nullopt;
    if (!prima || !dopo || *prima != *dopo ||
        riletto->diagram->TxtOri.size() != nodo->diagram->TxtOri.size()) {
        out.messaggio = fallita("the knot file opens as another diagram (" +
                                (riletto->diagram ? riletto->diagram->txtNodo : std::string("none")) +
                                " instead of " + nodo->diagram->txtNodo + ").");
        return out;
    }
    out.nodo = std::move(*nodo);
    out.ok = true;
    return out;
}

void scriviCompilazione(EsitoCompila& out, const fs::path& FileSorgente, const fs::path& immagine) {
    if (!out.ok) return;
    out.ok = false;
    const Result<fs::path> nodo = nomeFileNodo(FileSorgente);
    if (!nodo) {
        out.messaggio = fallita(nodo.error() + ".");
        return;
    }
    out.fileNodo = *nodo;
    // Two names of one file (a link): the knot file would still replace the source.
    std::error_code ec;
    if (fs::equivalent(FileSorgente, out.fileNodo, ec)) {
        out.messaggio = fallita("the knot file " + out.fileNodo.string() + " is the source itself.");
        return;
    }
    // The knot file's name is of the program's making: a link there is refused, never followed. Both files
    // are checked before the first is written, so that a refused knot file leaves the source as it was.
    struct DaScrivere {
        const fs::path& percorso;
        const std::string& testo;
        TargetName nome;
    };
    const DaScrivere file[] = {{FileSorgente, out.testoSorgente, TargetName::Chosen},
                               {out.fileNodo, out.testoNodo, TargetName::Derived}};
    for (const bool scrivi : {false, true})
        for (const DaScrivere& f : file) {
            const Status s = scrivi ? replaceFileContents(f.percorso, f.testo, f.nome)
                                    : checkReplaceable(f.percorso, f.nome);
            if (!s) {
                out.messaggio =
                    fallita("The file could not be written: " + f.percorso.string() + ": " + s.error());
                return;
            }
        }
    out.ok = true;
    out.messaggio = kFineCompilazione;
    if (std::string avviso = CopiaImg(immagine, FileSorgente, &out.fileImmagine); !avviso.empty()) {
        out.messaggio = kFineSenzaImmagine + avviso;
        out.avvisi.push_back(std::move(avviso));
    }
}

EsitoCompila Compila(DisegnoProgetto& d, const fs::path& FileSorgente, const fs::path& immagine) {
    EsitoCompila out = compilaDisegno(d);
    scriviCompilazione(out, FileSorgente, immagine);
    return out;
}

}  // namespace trevalon
