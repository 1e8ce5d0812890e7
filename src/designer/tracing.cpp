#include "designer/tracing.h"

#include <algorithm>
#include <cstdlib>

#include "platform/grid_control.h"
#include "platform/ports.h"
#include "platform/text.h"

namespace trevalon {

const char* chiaveToolbar(SimboloPalette s) {
    switch (s) {
        case SimboloPalette::Arco:
            return "LblX";
        case SimboloPalette::Spazio:
            return "LbSPC";
        case SimboloPalette::Verticale:
            return "Lbvert";
        case SimboloPalette::Orizzontale:
            return "LbOri";
    }
    return "LblX";
}

void PaletteTraccia::scegli(SimboloPalette s) {
    const auto etichetta = [this](SimboloPalette x) -> const EtichettaPalette& {
        switch (x) {
            case SimboloPalette::Spazio:
                return LblSPC;
            case SimboloPalette::Verticale:
                return Lblvert;
            case SimboloPalette::Orizzontale:
                return lblOri;
            case SimboloPalette::Arco:
                break;
        }
        return LblX;
    };
    LblSce = etichetta(s);
    ChkSingolo = s == SimboloPalette::Verticale || s == SimboloPalette::Orizzontale;
    premuto = s;
}

void Tracciatore::clic(int riga, int colonna) {
    if (menu.AtDis && riga >= 1 && colonna >= 1) {
        if (palette_.ChkSingolo)
            TracciaRighe2(riga, colonna);
        else
            TracciaRighe(riga, colonna);
    }
    sup_.Gr->setRow(0);
}

void Tracciatore::setP1(const std::string& testo) {
    if (sup_.stato) sup_.stato->setPanel("p1", testo);
}

void Tracciatore::aggiorna(bool dopoTraccia) {
    if (sup_.aggiorna)
        sup_.aggiorna(dopoTraccia);
    else if (sup_.grs)
        RipristinaDaGrs(*sup_.Gr, *sup_.grs, {}, palette_.lblSotto.BackColor);
}

// The previous content of a cell comes from the true drawing: the shadow grid when there is one, so that
// the transient colours of the visible grid (start, help, checker marks) never reach the log.
// Without one, a pending start's cell is logged with the colour it had before the start was marked.
void Tracciatore::registra(int r, int c) {
    const GridControl& g = sup_.grs ? *sup_.grs : *sup_.Gr;
    std::uint32_t colore = g.style(r, c).backColor;
    if (!sup_.grs && segnoInizio_.attivo && segnoInizio_.riga == r && segnoInizio_.colonna == c) {
        colore = segnoInizio_.colore;
        segnoInizio_.attivo = false;
    }
    log_.registra(r, c, g.text(r, c), colore);
}

void Tracciatore::scriviCella(int r, int c, Scrittura tipo) {
    GridControl& Gr = *sup_.Gr;
    if (!Gr.valid(r, c)) return;
    registra(r, c);
    const EtichettaPalette& s = palette_.LblSce;
    for (GridControl* g : {sup_.Gr, sup_.grs}) {
        if (!g) continue;
        g->setText(r, c, s.Caption);
        g->setBackColor(r, c, s.BackColor);
        g->setForeColor(r, c, s.ForeColor);
    }
    if (tipo == Scrittura::Corsa) {
        if (sup_.cancellaMarca) sup_.cancellaMarca(r, c);
        Gr.setAlignment(r, c, CellAlign::CenterCenter);
        Gr.setFontSize(r, c, 12);
        Gr.setBold(r, c, true);
    }
}

// The four arms of a crossing: up, down, right, left. The two along the strand that passes over take the
// strand's colours, the two of the strand that passes under the under-strand colours. An arm that would
// fall outside the grid (a crossing in its last row or column), or before the rules' first cell, is left
// out, with no log item.
void Tracciatore::scriviBracci(int r, int c) {
    static constexpr int kDr[4] = {-1, 1, 0, 0};
    static constexpr int kDc[4] = {0, 0, 1, -1};
    GridControl& Gr = *sup_.Gr;
    const bool orizzontaleSopra = Gr.text(r, c) == palette_.lblOri.Caption;
    bool dentro[4] = {};
    for (int k = 0; k < 4; ++k) {
        const int rr = r + kDr[k], cc = c + kDc[k];
        dentro[k] = Gr.valid(rr, cc) && rr >= regole_.primaCella && cc >= regole_.primaCella;
        if (!dentro[k]) continue;
        registra(rr, cc);
        Gr.setText(rr, cc, "*");
        if (sup_.grs) sup_.grs->setText(rr, cc, "*");
        if (sup_.cancellaMarca) sup_.cancellaMarca(rr, cc);
    }
    for (int k = 0; k < 4; ++k) {
        if (!dentro[k]) continue;
        const bool sopra = orizzontaleSopra ? k >= 2 : k < 2;
        const EtichettaPalette& l = sopra ? palette_.LblX : palette_.lblSotto;
        const int rr = r + kDr[k], cc = c + kDc[k];
        for (GridControl* g : {sup_.Gr, sup_.grs}) {
            if (!g) continue;
            g->setBackColor(rr, cc, l.BackColor);
            g->setForeColor(rr, cc, l.ForeColor);
        }
    }
}

void Tracciatore::TracciaRighe(int riga, int colonna) {
    GridControl& Gr = *sup_.Gr;
    log_.svuota();
    if (StatoTraccia == 0) {
        RigaInizio = riga;
        ColInizio = colonna;
        StatoTraccia = 1;
        if (!sup_.grs) segnoInizio_ = {riga, colonna, Gr.style(riga, colonna).backColor, true};
        Gr.setBackColor(riga, colonna, palette_.LblStart.BackColor);
        if (regole_.aiuto) TracciaAiuto();
        setP1(std::to_string(riga) + "," + std::to_string(colonna));
        return;
    }
    const int dr = std::abs(riga - RigaInizio);
    const int dc = std::abs(colonna - ColInizio);
    const bool diagonale = regole_.diagonali && dr == dc;
    if (!diagonale && riga != RigaInizio && colonna != ColInizio) return;

    Modificato = true;
    Gr.setRedraw(false);
    StatoTraccia = 0;
    if (diagonale && colonna != ColInizio) {
        // From the clicked cell towards the start, both ends included.
        const int passoR = riga > RigaInizio ? -1 : 1;
        const int passoC = colonna > ColInizio ? -1 : 1;
        for (int r = riga, c = colonna;; r += passoR, c += passoC) {
            scriviCella(r, c, Scrittura::Corsa);
            if (r == RigaInizio) break;
        }
        setP1("");
    }
    if (riga == RigaInizio) {
        for (int c = std::min(colonna, ColInizio); c <= std::max(colonna, ColInizio); ++c)
            scriviCella(RigaInizio, c, Scrittura::Corsa);
        setP1("");
    }
    if (colonna == ColInizio) {
        for (int r = std::min(riga, RigaInizio); r <= std::max(riga, RigaInizio); ++r) {
            scriviCella(r, ColInizio, Scrittura::Corsa);
            if (palette_.incrocio(Gr.text(r, ColInizio))) scriviBracci(r, ColInizio);
        }
        setP1("");
    }
    Gr.setRedraw(true);
    aggiorna(true);
}

void Tracciatore::TracciaRighe2(int riga, int colonna) {
    log_.svuota();
    Modificato = true;
    scriviCella(riga, colonna, Scrittura::Singola);
    if (palette_.incrocio(sup_.Gr->text(riga, colonna))) scriviBracci(riga, colonna);
    aggiorna(true);
    StatoTraccia = 0;
}

void Tracciatore::TracciaAiuto() {
    GridControl& Gr = *sup_.Gr;
    const int sr = RigaInizio, sc = ColInizio;
    const int righe = Gr.rows(), colonne = Gr.cols();
    auto evidenzia = [&](int r, int c) {
        if (trim(Gr.text(r, c)).empty()) Gr.setBackColor(r, c, palette_.LblAiuto.BackColor);
    };
    for (int r = sr + 1; r < righe; ++r) evidenzia(r, sc);
    for (int r = sr - 1; r >= 1; --r) evidenzia(r, sc);
    for (int c = sc + 1; c < colonne; ++c) evidenzia(sr, c);
    for (int c = sc - 1; c >= 1; --c) evidenzia(sr, c);
    for (int k = 1; sr - k > 0 && sc - k > 0; ++k) evidenzia(sr - k, sc - k);
    for (int k = 1; sr + k < righe && sc + k < colonne; ++k) evidenzia(sr + k, sc + k);
    for (int k = 1; sr + k < righe && sc - k > 0; ++k) evidenzia(sr + k, sc - k);
    for (int k = 1; sr - k > 0 && sc + k < colonne; ++k) evidenzia(sr - k, sc + k);
}

void Tracciatore::Annulla() {
    log_.ripristina(*sup_.Gr, sup_.grs);
    setP1("");
    aggiorna(false);
    StatoTraccia = 0;
    RigaInizio = 0;
    ColInizio = 0;
}

void Tracciatore::lasciaInizio() {
    StatoTraccia = 0;
    if (sup_.grs || !segnoInizio_.attivo) return;
    segnoInizio_.attivo = false;
    if (sup_.Gr->valid(segnoInizio_.riga, segnoInizio_.colonna))
        sup_.Gr->setBackColor(segnoInizio_.riga, segnoInizio_.colonna, segnoInizio_.colore);
}

void Tracciatore::CmDAnnulla() {
    GridControl& Gr = *sup_.Gr;
    Gr.setRow(0);
    lasciaInizio();
    if (RigaInizio >= 1 && ColInizio >= 1 && sup_.grs) {
        const GridControl& grs = *sup_.grs;
        Gr.setText(RigaInizio, ColInizio, grs.text(RigaInizio, ColInizio));
        Gr.setBackColor(RigaInizio, ColInizio, grs.style(RigaInizio, ColInizio).backColor);
        Gr.setForeColor(RigaInizio, ColInizio, grs.style(RigaInizio, ColInizio).foreColor);
    }
    aggiorna(false);
    setP1("");
}

void Tracciatore::nuovaGriglia() {
    log_.svuota();
    segnoInizio_.attivo = false;
    StatoTraccia = 0;
    RigaInizio = 0;
    ColInizio = 0;
}

void Tracciatore::mnuAtDis() {
    menu.AtDis = true;
    StatoTraccia = 0;
    menu.Asterisco = true;
    menu.pannelloVisibile = false;
    menu.vociAbilitate = true;
}

void Tracciatore::MnuAsterisco() {
    if (!menu.AtDis) return;
    menu.Asterisco = true;
    menu.Spazio = false;
}

void Tracciatore::mnuSpazio() {
    if (!menu.AtDis) return;
    menu.Spazio = true;
    menu.Asterisco = false;
}

// "_" and "|" write into the visible grid only, at the start of the last first click: the next rebuild
// from the shadow grid takes the symbol away again.
void Tracciatore::scriviSimboloMenu(const std::string& simbolo) {
    GridControl& Gr = *sup_.Gr;
    Gr.setText(RigaInizio, ColInizio, simbolo);
    Gr.setAlignment(RigaInizio, ColInizio, CellAlign::CenterCenter);
    Gr.setBackColor(RigaInizio, ColInizio, kColoreVuoto);
    Gr.setFontSize(RigaInizio, ColInizio, 12);
    Gr.setBold(RigaInizio, ColInizio, true);
}

std::string Tracciatore::mnuRowCol() const {
    return std::to_string(RigaInizio) + " " + std::to_string(ColInizio);
}

Result<void> GriglieDesigner::imposta(int righe, int colonne, int dimCella) {
    if (righe < 1 || colonne < 1 || righe > kMaxRighe || colonne > kMaxColonne)
        return fail("The drawing grid holds from 1 to " + std::to_string(kMaxRighe) + " rows and from 1 to " +
                    std::to_string(kMaxColonne) + " columns: " + std::to_string(righe) + " x " +
                    std::to_string(colonne) + " is refused.");
    Gr.setRedraw(false);
    grs.setRedraw(false);
    for (GridControl* g : {&Gr, &grs}) {
        g->setRows(righe + 1);
        g->setCols(colonne + 1);
        g->clear();
    }
    DimensionaGrDise(dimCella);
    Gr.setTopRow(1);
    Gr.setLeftCol(1);
    Gr.setRedraw(true);
    traccia.nuovaGriglia();
    return {};
}

void GriglieDesigner::DimensionaGrDise(int dimCella) {
    Gr.setAllRowHeights(dimCella);
    Gr.setAllColWidths(dimCella);
    Gr.setRowHeight(0, 0);
    Gr.setColWidth(0, 0);
}

bool RipristinaDaGrs(GridControl& Gr, const GridControl& grs, const std::function<bool(int, int)>& marcata,
                     std::uint32_t coloreSotto) {
    Gr.setRedraw(false);
    Gr.clear();
    bool marche = false;
    const int righe = std::min(Gr.rows(), grs.rows());
    const int colonne = std::min(Gr.cols(), grs.cols());
    for (int r = 1; r < righe; ++r) {
        for (int c = 1; c < colonne; ++c) {
            const std::string& testo = grs.text(r, c);
            if (!trim(testo).empty()) {
                const CellStyle da = grs.style(r, c);
                CellStyle st;
                st.backColor = da.backColor;
                st.foreColor = da.foreColor;
                st.fontSize = 12;
                st.bold = true;
                Gr.setText(r, c, testo);
                Gr.setStyle(r, c, st);
            }
            if (marcata && marcata(r, c)) {
                if (Gr.style(r, c).backColor != coloreSotto) Gr.setBackColor(r, c, kColoreErrore);
                marche = true;
            }
        }
    }
    Gr.setRedraw(true);
    return marche;
}

}  // namespace trevalon
