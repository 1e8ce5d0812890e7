#include "mainwindow/history.h"

#include <string>

#include "mainwindow/build_commands.h"
#include "mainwindow/form2.h"

namespace trevalon {

namespace {

Stato& passo(Form2& f, int n) {
    return f.tblStati.at(static_cast<std::size_t>(n));
}

bool numeroValido(int n) {
    return n >= 0 && n <= kMaxStati;
}

// The texts of the step shown, after a push that was refused.
void ripristinaTesti(Form2& f) {
    if (!numeroValido(f.NumStato)) return;
    const Stato& s = passo(f, f.NumStato);
    if (s.Codice.empty() && s.Ori.empty()) return;  // nothing recorded yet
    f.diagram.txtNodo = s.Codice;
    f.diagram.TxtOri = s.Ori;
}

}  // namespace

bool Salvastato(Form2& f) {
    if (f.ModoBatch) return false;
    // The search frame goes away and the toolbar comes back.
    f.RichiestaStop = 0;
    f.ui.hideStopFrame();
    f.ui.setToolbarEnabled(true);

    if (!numeroValido(f.NumStato) || f.NumStato >= kMaxStati) {
        f.ui.showMessage("The step history is full (" + std::to_string(kMaxStati) +
                         " steps): this step cannot be recorded.");
        if (f.ModoGen == 'A') ripristinaTesti(f);
        return false;
    }
    const std::string codice = f.diagram.txtNodo;
    const std::string ori = f.diagram.TxtOri;
    const char modo = f.ModoGen;
    if (modo == 'A') {
        // The push builds the new diagram from its texts; a build that fails records nothing.
        CostruzioneNuova nuova = costruisciNuovo(f, codice, ori, 1, &f.diagram.NomiIncroci);
        if (nuova.esito != EsitoCostruzione::Costruito) {
            if (nuova.esito == EsitoCostruzione::Banale) f.ui.showMessage("Trivial knot");
            ripristinaTesti(f);
            return false;
        }
        ++f.NumStato;
        Stato& s = passo(f, f.NumStato);
        s.Codice = codice;
        s.Ori = ori;
        s.Tipo = "A";
        s.Flag = 1;
        installaDiagramma(f, std::move(nuova));
        f.PartenzaDisegno = 1;
        f.NumIncrociDis = static_cast<int>(ori.size());
        if (!f.ModoAutomatico) f.SettaDone();
        f.AbilitaBottoni(true);
    } else {
        ++f.NumStato;
        Stato& s = passo(f, f.NumStato);
        s.Codice = codice;
        s.Ori = ori;
        s.Tipo = std::string(1, modo);
        s.Flag = 1;
        f.PartenzaDisegno = 1;
        {
            BusyGuard busy(f.ui);
            SerializzaTblGen(f);
        }
        f.SettaDone();
    }
    if (!f.isHiddenInstance()) {
        f.ui.setCommandEnabled("Undo", true);
        if (f.NumIncrociDis > 2) f.ui.setCommandEnabled("Salva", true);
        f.Testocaption(f.NumStato);
        f.AbilitaBottoni(f.diagram.TxtOri.size() >= 2);
    }
    return true;
}

void StatoPrec(Form2& f) {
    int n = f.NumStato - 1;
    if (n < 0) n = 0;
    if (n > kMaxStati) n = kMaxStati;
    const Stato s = passo(f, n);
    if (s.Tipo == "A" || s.Tipo.empty()) {
        CostruzioneNuova nuova = costruisciNuovo(f, s.Codice, s.Ori, s.Flag, &f.diagram.NomiIncroci);
        if (nuova.esito != EsitoCostruzione::Costruito) {
            if (nuova.esito == EsitoCostruzione::Banale) f.ui.showMessage("Trivial knot");
            return;
        }
        f.NumStato = n;
        installaDiagramma(f, std::move(nuova));
        if (!f.ModoAutomatico) f.SettaDone();
    } else {
        // A step kept as a cell drawing: the drawing comes back from its snapshot and the tables are
        // rebuilt from it.
        if (!f.GeneradatblGen) {
            f.ui.showMessage("Step " + std::to_string(n) +
                             " was made on a drawn diagram, which cannot be rebuilt in this version.");
            return;
        }
        const int prima = f.NumStato;
        f.NumStato = n;
        if (!DeSerializzaTblGen(f)) {
            f.NumStato = prima;
            return;
        }
        f.diagram.txtNodo = s.Codice;
        f.diagram.TxtOri = s.Ori;
        f.PartenzaDisegno = s.Flag;
        f.GeneradatblGen();
    }
    if (n == 0) f.NumElaborati = 0;
    f.ctx.ConfermaMigliora = 0;
    f.Testocaption(f.NumStato);
    if (f.NumStato != 0) {
        f.ui.setCommandEnabled("draw", false);
    } else {
        f.NumElaborati = 0;
        f.ui.setCommandEnabled("Undo", false);
        f.ui.setCommandEnabled("Salva", false);
    }
    f.AbilitaBottoni(f.diagram.TxtOri.size() >= 2);
}

void SerializzaTblGen(Form2& f) {
    if (!numeroValido(f.NumStato)) return;
    passo(f, f.NumStato).TblGenSer = serializzaCelDis(f.tblGen, [&f] { f.AggiornaProgressivo(); });
}

bool DeSerializzaTblGen(Form2& f) {
    if (!numeroValido(f.NumStato)) return false;
    const Stato& s = passo(f, f.NumStato);
    const EsitoSnapshot e = deserializzaCelDis(f.tblGen, s.TblGenSer, [&f] { f.AggiornaProgressivo(); });
    if (!e.ok) {
        f.ui.showMessage("The drawing of step " + std::to_string(f.NumStato) +
                         " cannot be read: " + e.errore);
        return false;
    }
    f.NumIncrociDis = static_cast<int>(s.Ori.size());
    return true;
}

}  // namespace trevalon
