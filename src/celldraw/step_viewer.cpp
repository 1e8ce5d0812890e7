#include "celldraw/step_viewer.h"

#include "celldraw/redraw.h"
#include "layout/palette.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace trevalon {

namespace {

constexpr double kSecondsPerDay = 86400.0;
const std::string kEmpty;

}  // namespace

double intervalloTimer(double from, double to) {
    double d = to - from;
    if (d < 0) d += kSecondsPerDay;  // the timer restarted at midnight
    return d;
}

std::string testoEsitoRidisegno(MoveKind tipoMossa, BridgeKind tipoPonte) {
    switch (tipoMossa) {
        case MoveKind::I:
            return "   Outcome of move I";
        case MoveKind::II:
            return "   Outcome of move II";
        case MoveKind::III:
            return tipoPonte == BridgeKind::MoveIII ? "   Outcome of move III"
                                                    : "   Outcome of horizontal move III";
        case MoveKind::ConnSum:
            return "   Found connected sum";
        default:
            return {};
    }
}

std::string testoTempoApplicazione(double secondi) {
    return "Time Application move sec." + testoSecondi(secondi);
}

void copiaGridDaF3(const GridControl& gr3, GridControl& gr) {
    const bool painting = gr.redraw();
    gr.setRedraw(false);
    for (int r = 1; r < gr.rows(); ++r) {
        for (int c = 1; c < gr.cols(); ++c) gr.setPicture(r, c, gr3.picture(r, c));
    }
    gr.setRedraw(painting);
}

GridArea areaColorata(const GridControl& g, bool grigie, int c0, int c1) {
    GridArea a{g.rows(), g.cols(), -1, -1};
    const int ultima = c1 < 0 ? g.cols() - 1 : std::min(c1, g.cols() - 1);
    for (int r = 0; r < g.rows(); ++r)
        for (int c = std::max(c0, 0); c <= ultima; ++c) {
            const PictureRef p = g.picture(r, c);
            if (p.empty()) continue;
            const TileColour colore = coloreImmagine(p);
            const bool colorata = colore == TileColour::Red || colore == TileColour::Green ||
                                  (grigie && colore == TileColour::Grey);
            if (!colorata) continue;
            a.r0 = std::min(a.r0, r);
            a.c0 = std::min(a.c0, c);
            a.r1 = std::max(a.r1, r);
            a.c1 = std::max(a.c1, c);
        }
    return a.empty() ? GridArea{} : a;
}

std::vector<CellaGriglia> celleColorate(const GridControl& g, int c0, int c1) {
    std::vector<CellaGriglia> out;
    const int ultima = c1 < 0 ? g.cols() - 1 : std::min(c1, g.cols() - 1);
    for (int r = 0; r < g.rows(); ++r)
        for (int c = std::max(c0, 0); c <= ultima; ++c) {
            const PictureRef p = g.picture(r, c);
            if (!p.empty() && coloreImmagine(p) != TileColour::Black) out.push_back({r, c});
        }
    return out;
}

GridArea coloraCambiate(GridControl& g, const std::vector<CellaGriglia>& celle) {
    GridArea a{g.rows(), g.cols(), -1, -1};
    for (const CellaGriglia& x : celle) {
        const int c = x.c;
        if (!g.valid(x.r, c)) continue;
        a.r0 = std::min(a.r0, x.r);
        a.c0 = std::min(a.c0, c);
        a.r1 = std::max(a.r1, x.r);
        a.c1 = std::max(a.c1, c);
        PictureRef p = g.picture(x.r, c);
        if (p.empty() || p.set != PictureSet::Img) continue;
        // The line tile of the picture, whatever its colour base, drawn green.
        int forma = p.index;
        if (forma > ColGrigio && forma <= ColGrigio + 8) forma -= ColGrigio;
        if (forma < 1 || forma > 8 || !TileImg(forma + ColVerde).exists) continue;
        p.index = static_cast<std::int16_t>(forma + ColVerde);
        g.setPicture(x.r, c, p);
    }
    return a.empty() ? GridArea{} : a;
}

GridArea areaDisegni(const GridControl& g) {
    GridArea a{g.rows(), g.cols(), -1, -1};
    for (int r = 1; r < g.rows(); ++r)
        for (int c = 1; c < g.cols(); ++c) {
            if (g.picture(r, c).empty()) continue;
            a.r0 = std::min(a.r0, r);
            a.c0 = std::min(a.c0, c);
            a.r1 = std::max(a.r1, r);
            a.c1 = std::max(a.c1, c);
        }
    return a.empty() ? GridArea{} : a;
}

GridArea bloccoPiuColorato(const GridControl& g, const GridArea& area, int righe, int colonne,
                           ContaCelle conta) {
    if (area.empty()) return area;
    const int h = area.r1 - area.r0 + 1, w = area.c1 - area.c0 + 1;
    righe = std::clamp(righe, 1, h);
    colonne = std::clamp(colonne, 1, w);
    if (righe == h && colonne == w) return area;
    // Sums of the coloured cells over every rectangle from the area's corner.
    std::vector<int> somme(static_cast<std::size_t>(h + 1) * (w + 1), 0);
    const auto s = [&](int r, int c) -> int& { return somme[static_cast<std::size_t>(r) * (w + 1) + c]; };
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            const PictureRef p = g.picture(area.r0 + r, area.c0 + c);
            const TileColour colore = coloreImmagine(p);
            bool conto = false;
            switch (conta) {
                case ContaCelle::Colorate:
                    conto = colore == TileColour::Red || colore == TileColour::Green;
                    break;
                case ContaCelle::Grigie:
                    conto = colore == TileColour::Grey;
                    break;
                case ContaCelle::Disegnate:
                    conto = !p.empty();
                    break;
            }
            const int uno = conto ? 1 : 0;
            s(r + 1, c + 1) = uno + s(r, c + 1) + s(r + 1, c) - s(r, c);
        }
    int migliore = -1;
    GridArea blocco = area;
    for (int r = 0; r + righe <= h; ++r)
        for (int c = 0; c + colonne <= w; ++c) {
            const int n = s(r + righe, c + colonne) - s(r, c + colonne) - s(r + righe, c) + s(r, c);
            if (n <= migliore) continue;
            migliore = n;
            blocco = GridArea{area.r0 + r, area.c0 + c, area.r0 + r + righe - 1, area.c0 + c + colonne - 1};
        }
    if (conta == ContaCelle::Colorate) return blocco;
    // A long grey arc or a sparse drawing fills the first best block only along its edge: the block is
    // moved, within the grid, so that the cells it counts stand in its middle.
    int r0 = blocco.r1, r1 = blocco.r0, c0 = blocco.c1, c1 = blocco.c0;
    for (int r = blocco.r0; r <= blocco.r1; ++r)
        for (int c = blocco.c0; c <= blocco.c1; ++c) {
            const PictureRef p = g.picture(r, c);
            if (p.empty() || (conta == ContaCelle::Grigie && coloreImmagine(p) != TileColour::Grey)) continue;
            r0 = std::min(r0, r);
            r1 = std::max(r1, r);
            c0 = std::min(c0, c);
            c1 = std::max(c1, c);
        }
    if (r0 > r1) return blocco;
    const int top = std::clamp((r0 + r1 - righe + 1) / 2, 0, std::max(0, g.rows() - righe));
    const int left = std::clamp((c0 + c1 - colonne + 1) / 2, 0, std::max(0, g.cols() - colonne));
    return GridArea{top, left, top + righe - 1, left + colonne - 1};
}

int limiteScorrimento(int livelloZoom) {
    if (livelloZoom == 2) return 150;
    if (livelloZoom == 3) return 118;
    if (livelloZoom >= 4) return 100;
    return 350;
}

int dimezzaTwips(int twips) {
    const int q = twips / 2;
    if (twips % 2 == 0) return q;
    // An exact half between q and q + 1 (or q - 1 and q below zero): the even one.
    const int other = twips > 0 ? q + 1 : q - 1;
    return q % 2 == 0 ? q : other;
}

Form3Model::Form3Model(StepViewRequest request, const StepViewerShared& shared, MessagePort& messages,
                       ClockPort& clock, CellDrawingActions actions)
    : request_(std::move(request)),
      shared_(shared),
      messages_(messages),
      clock_(clock),
      actions_(std::move(actions)) {
    tempoInizioRicerca_ = request_.tempoInizioRicerca;
    tempoFineDisegno_ = request_.tempoFineDisegno;
}

void Form3Model::buildToolbar() {
    buttons_.clear();
    const bool summand = request_.tipoAzione != ViewerAction::Move;
    auto add = [this](std::string key, std::string image, std::string tooltip, bool visible) {
        buttons_.push_back(ViewerButton{std::move(key), std::move(image), std::move(tooltip), 0, visible});
    };
    auto gap = [this](std::string key, int twips, bool visible) {
        buttons_.push_back(ViewerButton{std::move(key), {}, {}, twips, visible});
    };
    if (!summand) {
        add("Applica", "Applica", "Apply this move", true);
        gap("s0", 600, true);
        add("Successivo", "Successivo",
            request_.tipoMossa == MoveKind::ConnSum ? "Find next connected sum" : "Find next move", true);
        gap("s1", 600, true);
        add("interrompi", "interrompi", "Stop find", true);
        add("Refresh", "Refresh", "Next step", false);
    } else {
        // A summand whose cut ends could not be joined would be saved as a file that does not load.
        add("Salva", "Salva", "Save this diagram", request_.salvabile);
        add("Successivo", "Successivo", "Don't save this diagram and continue ", true);
    }
    gap("s2", 600, true);
    add("Dimensmeno", "lentemeno", "Zoom out", true);
    add("Dimenspiu", "lentepiu", "Zoom in", true);
    gap("s3", 1200, false);
    add("Migliora", "Ristruttura", "Redraw diagram", false);
    // The print preview is a tool of the developer layout.
    add("Stampa", "Stampa", "Print", shared_.ModoSviluppo);
}

const ViewerButton* Form3Model::button(std::string_view key) const {
    for (const ViewerButton& b : buttons_)
        if (b.key == key) return &b;
    return nullptr;
}

bool Form3Model::buttonVisible(std::string_view key) const {
    const ViewerButton* b = button(key);
    return b && b->visible;
}

void Form3Model::setVisible(std::string_view key, bool visible) {
    for (ViewerButton& b : buttons_)
        if (b.key == key) b.visible = visible;
}

const std::string& Form3Model::panel(std::string_view key) const {
    if (key == "p1") return p1_;
    if (key == "p2") return p2_;
    if (key == "p4") return p4_;
    return kEmpty;
}

int Form3Model::dimCella() const {
    return shared_.zoom.DimCella;
}

void Form3Model::Form_Load() {
    esito_ = ViewerAnswer::None;
    primaAttivazione_ = true;
    applied_ = false;
    buildToolbar();
    if (actions_.F3PulisciCelDis) actions_.F3PulisciCelDis();
}

void Form3Model::Form_Activate(const std::string& mainCaption) {
    mainCaption_ = mainCaption;
    // After "Applica" the status keeps the application's time (or why the redraw failed).
    if (applied_) return;
    if (primaAttivazione_) {
        ContaTessere = 0;
        primaAttivazione_ = false;
        // Both layouts open on the candidate; the developer layout keeps its own caption.
        Command5_Click();
        if (!shared_.ModoSviluppo) {
            std::string msg;
            switch (request_.tipoMossa) {
                case MoveKind::I:
                    msg = "   Found move I";
                    break;
                case MoveKind::II:
                    msg = "   Found move II";
                    break;
                case MoveKind::III:
                    if (request_.tipoPonte == BridgeKind::MoveIII) {
                        msg = "   Found move III";
                    } else {
                        msg = "   Found horizontal move III";
                        // The horizontal search's time counts from the start of the whole search.
                        tempoInizioRicerca_ = request_.tempoInizioPonte;
                    }
                    break;
                case MoveKind::ConnSum:
                    p4_ = "C-SUM";
                    if (request_.tipoAzione == ViewerAction::Move)
                        msg = "   Found connected sum";
                    else
                        msg = std::string("   ") +
                              (request_.tipoAzione == ViewerAction::Summand1 ? "First" : "Second") +
                              " diagram of connected sum" +
                              (request_.salvabile ? "" : std::string(kAddendoNonChiuso));
                    break;
                case MoveKind::None:
                case MoveKind::IILoop:
                    break;
            }
            caption_ = mainCaption + msg;
        }
    }
    if (request_.tipoMossa != MoveKind::ConnSum) {
        tempoFineDisegno_ = clock_.secondsSinceMidnight();
        p1_ = "Done";
        p2_ = "Time main find algorithm sec." +
              testoSecondi(intervalloTimer(tempoInizioRicerca_, request_.tempoFineRicerca)) +
              "    Time draw sec." +
              testoSecondi(intervalloTimer(request_.tempoFineRicerca, tempoFineDisegno_));
    } else {
        p1_ = "Done";
        p2_.clear();
    }
}

bool Form3Model::close(ViewerAnswer answer) {
    esito_ = answer;
    return true;
}

bool Form3Model::tlb1_ButtonClick(std::string_view key) {
    if (key == "Applica") {
        if (request_.tipoMossa != MoveKind::ConnSum) return cmdOK_Click();
        if (mainGridForCopyBack) copiaGridDaF3(Gr3, *mainGridForCopyBack);
        return close(ViewerAnswer::Se1);
    }
    if (key == "Successivo") return CmdContinua_Click();
    if (key == "interrompi") return CmdInterrompi_Click();
    if (key == "Refresh") return close(ViewerAnswer::Sel);
    if (key == "Salva") {
        const ViewerButton* b = button("Salva");
        if (!b || !b->visible) return false;
        return close(ViewerAnswer::Save);
    }
    if (key == "Dimensmeno") {
        RicalcolaDimensioni("-");
        return false;
    }
    if (key == "Dimenspiu") {
        RicalcolaDimensioni("+");
        return false;
    }
    if (key == "Migliora") {
        Migliora_Click();
        return false;
    }
    if (key == "Stampa") {
        if (buttonVisible("Stampa") && actions_.Generareport) actions_.Generareport();
        return false;
    }
    return false;
}

bool Form3Model::cmdOK_Click() {
    if (!actions_.canApply()) {
        // No cell drawing to redraw: the driver applies the move itself.
        return close(ViewerAnswer::Sel);
    }
    Command8_Click();
    // The developer panel has no "Refresh": the move, redrawn as for everyone, is applied at once.
    if (shared_.ModoSviluppo) return close(ViewerAnswer::Sel);
    showAppliedToolbar();
    return false;
}

void Form3Model::showAppliedToolbar() {
    applied_ = true;
    for (ViewerButton& b : buttons_) b.visible = false;
    setVisible("Refresh", true);
    setVisible("Dimenspiu", true);
    setVisible("Dimensmeno", true);
    if (shared_.ModoSorgente == SourceKind::Drawing) {
        setVisible("Migliora", true);
        setVisible("s3", true);
    }
}

bool Form3Model::CmdContinua_Click() {
    return true;  // the answer stays None, as the load left it
}

bool Form3Model::CmdInterrompi_Click() {
    return close(ViewerAnswer::Int);
}

bool Form3Model::CmdRipeti_Click() {
    return close(ViewerAnswer::Rip);
}

void Form3Model::CmdDisDis_Click() {
    if (actions_.F3DisegnaCelDis) actions_.F3DisegnaCelDis(Gr3);
    Gr3.setRow(0);
    Gr3.setRedraw(true);
}

void Form3Model::CmdGenCeldis_Click() {
    if (actions_.F3GenCelDis) actions_.F3GenCelDis();
    if (actions_.F3VisCelDis) actions_.F3VisCelDis(Gr3, ColonnaBaseDis);
}

void Form3Model::CmdsavDis_Click() {
    if (!actions_.F3SavDis) return;
    p1_ = "Apply";
    ContatoreProgresso = 1;
    F3AggiornaProgressivo();
    RidisegnoInVisore visore;
    visore.tick = [this] { F3AggiornaProgressivo(); };
    visore.DimCella = dimCella();
    if (onTileDrawn)
        visore.mostraTessera = [this](int r, int c) {
            ++ContaTessere;
            onTileDrawn(r, c);
        };
    const Result<GridArea> area = actions_.F3SavDis(Gr3, visore);
    p1_ = "Done";
    p2_ = area ? std::string() : area.error();
    redrawFailed_ = !area;
    if (area) {
        // A drawn diagram's drawing standing far right is scrolled to; any drawing is brought into view.
        if (shared_.ModoSorgente == SourceKind::Drawing &&
            area->c0 > limiteScorrimento(shared_.zoom.LivelloZoom))
            Gr3.setLeftCol(area->c0);
        mostraEsito(*area);
        // The caption names the step the move will make; the developer layout records no step and keeps
        // the viewer's own caption.
        if (!shared_.ModoSviluppo) {
            if (actions_.captionPassoSeguente) mainCaption_ = actions_.captionPassoSeguente();
            caption_ = mainCaption_ + testoEsitoRidisegno(request_.tipoMossa, request_.tipoPonte);
        }
    }
    Gr3.setRedraw(true);
}

void Form3Model::F3AggiornaProgressivo() {
    ++ContatoreProgresso;
    if (ContatoreProgresso > 300 || ContatoreProgresso < 1) ContatoreProgresso = 1;
    if (ContatoreProgresso % 20 != 1) return;
    p2_ = std::string(static_cast<std::size_t>(ContatoreProgresso), '.');
    if (p1_.empty() || p1_ == "Done") p1_ = "Wait..";
    if (onPanelsChanged) onPanelsChanged();
}

void Form3Model::setVistaGriglia(int widthTwips, int heightTwips) {
    widthTwips = std::max(widthTwips, 0);
    heightTwips = std::max(heightTwips, 0);
    if (widthTwips == vistaLarghezza_ && heightTwips == vistaAltezza_) return;
    vistaLarghezza_ = widthTwips;
    vistaAltezza_ = heightTwips;
    scorri();
}

void Form3Model::mostra(const GridArea& area, bool colorata) {
    focus_ = area;
    focusColorato_ = colorata;
    esitoMostrato_ = false;
    scorri();
}

void Form3Model::mostraEsito(const GridArea& cambiate) {
    disegni_ = areaDisegni(Gr3);
    focus_ = cambiate.empty() ? disegni_ : cambiate;
    focusColorato_ = false;
    esitoMostrato_ = true;
    scorri();
}

void Form3Model::scorri() {
    GridArea area = focus_;
    const int dim = std::max(dimCella(), 1);
    const bool vistaNota = vistaLarghezza_ > 0 && vistaAltezza_ > 0;
    if (esitoMostrato_) {
        // A changed place larger than the view: its most coloured part, with a cell to spare each side.
        const int righe = std::max(1, vistaAltezza_ / dim - 1),
                  colonne = std::max(1, vistaLarghezza_ / dim - 1);
        if (vistaNota && (area.r1 - area.r0 + 1 > righe || area.c1 - area.c0 + 1 > colonne)) {
            area = bloccoPiuColorato(Gr3, focus_, righe, colonne);
            // The coloured cells of that part in the middle, not the part's edge.
            const std::vector<CellaGriglia> celle = celleColorate(Gr3, area.c0, area.c1);
            GridArea colorate{area.r1, area.c1, area.r0, area.c0};
            for (const CellaGriglia& x : celle) {
                if (x.r < area.r0 || x.r > area.r1) continue;
                colorate.r0 = std::min(colorate.r0, x.r);
                colorate.c0 = std::min(colorate.c0, x.c);
                colorate.r1 = std::max(colorate.r1, x.r);
                colorate.c1 = std::max(colorate.c1, x.c);
            }
            if (!colorate.empty()) area = colorate;
        }
        mostrata_ = area;
        centraArea(Gr3, disegni_, area, vistaLarghezza_, vistaAltezza_);
        return;
    }
    if (focusColorato_ && vistaNota)
        area = bloccoPiuColorato(Gr3, focus_, vistaAltezza_ / dim, vistaLarghezza_ / dim, focusConta_);
    mostrata_ = area;
    mostraArea(Gr3, area, vistaLarghezza_, vistaAltezza_);
}

void Form3Model::Command5_Click() {
    if (request_.mainGrid) {
        ColonnaBaseDis = copiaImmaginiGriglia(*request_.mainGrid, Gr3, dimCella());
        // A text drawing's strands are its symbols: the candidate is seen on them.
        if (shared_.disegnoTesto) {
            const GridControl& g = *request_.mainGrid;
            for (int r = 1; r < g.rows(); ++r)
                for (int c = 1; c < g.cols(); ++c) {
                    const std::string& testo = g.text(r, c);
                    if (testo.empty() || !g.picture(r, c).empty()) continue;
                    Gr3.setText(r, c, testo);
                    Gr3.setStyle(r, c, g.style(r, c));
                }
        }
    } else {
        Gr3.clear();
        ColonnaBaseDis = 2;
    }
    gridLines = false;
    // The candidate is highlighted in colour, or its caller says where it stands: the person sees it however
    // large the diagram.
    // A connected sum's cut arcs are grey; a summand is a drawing of its own.
    focusConta_ = ContaCelle::Colorate;
    if (!request_.fuoco.empty())
        focusConta_ = request_.tipoAzione == ViewerAction::Move ? ContaCelle::Grigie : ContaCelle::Disegnate;
    mostra(request_.fuoco.empty() ? areaColorata(Gr3) : request_.fuoco, true);
}

void Form3Model::Command6_Click() {
    for (int r = 1; r < Gr3.rows(); ++r) Gr3.setRowHeight(r, dimezzaTwips(Gr3.rowHeight(r)));
    for (int c = 1; c < Gr3.cols(); ++c) Gr3.setColWidth(c, dimezzaTwips(Gr3.colWidth(c)));
}

void Form3Model::Command7_Click() {
    for (int r = 1; r < Gr3.rows(); ++r) Gr3.setRowHeight(r, Gr3.rowHeight(r) * 2);
    for (int c = 1; c < Gr3.cols(); ++c) Gr3.setColWidth(c, Gr3.colWidth(c) * 2);
}

void Form3Model::Command8_Click() {
    tempoInizioRicerca_ = clock_.secondsSinceMidnight();
    Gr3.setRedraw(false);
    // The drawing is built; its text view is left out, the pictures drawn next would replace it at once.
    if (actions_.F3GenCelDis) actions_.F3GenCelDis();
    CmdDisDis_Click();
    CmdsavDis_Click();
    if (actions_.F3Command8) actions_.F3Command8();
    // A failed redraw keeps its reason in the status.
    if (!redrawFailed_)
        p2_ = testoTempoApplicazione(intervalloTimer(tempoInizioRicerca_, clock_.secondsSinceMidnight()));
}

void Form3Model::Chkgr_Click(bool ticked) {
    gridLines = ticked;
    Gr3.setRow(0);
}

void Form3Model::Gr3_Click(int row, int col) {
    RigaClickPrec = RigaClick;
    ColClickPrec = ColClick;
    RigaClick = row;
    ColClick = col;
    if (shared_.ModoSviluppo)
        caption_ = std::to_string(row) + " " + std::to_string(col);
    else
        Gr3.setRow(0);
}

void Form3Model::Migliora_Click() {
    if (shared_.ConfermaMigliora == 0) {
        if (!messages_.askYesNo("This action modifies the layout. (It is possible to find again this layout "
                                "returning to the previous step). Continue?"))
            return;
        shared_.ConfermaMigliora = 1;
    }
    if (actions_.F3SistemaGrafica) {
        const Result<GridArea> area = actions_.F3SistemaGrafica(Gr3, true);
        if (area)
            mostraEsito(*area);
        else
            p2_ = area.error();
    }
    setVisible("Migliora", false);
}

bool Form3Model::QueryUnload(bool fromTitleBar) {
    if (!fromTitleBar) return true;
    messages_.showMessage("Click a button");
    return false;
}

void Form3Model::Ridimensiona() {
    for (int r = 1; r < Gr3.rows(); ++r) Gr3.setRowHeight(r, dimCella());
    for (int c = 1; c < Gr3.cols(); ++c) Gr3.setColWidth(c, dimCella());
}

void Form3Model::RicalcolaDimensioni(std::string_view piuMeno) {
    shared_.zoom.cambia(piuMeno);
    Ridimensiona();
    // What the person was shown stays in view at the new size.
    scorri();
}

}  // namespace trevalon
