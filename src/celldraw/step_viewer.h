#pragma once
// The step viewer `Form3` without its widgets: the toolbar it builds for one candidate, its title and
// timing texts, the answers its buttons give, the zoom of its grid `Gr3` and the picture copy of the main
// grid. The Qt window shows this model and forwards every click to it; tests drive it headless.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/render_grid.h"
#include "platform/codes.h"
#include "platform/grid_control.h"
#include "platform/ports.h"
#include "platform/result.h"
#include "platform/text.h"

namespace trevalon {

// One entry of the viewer's toolbar; a placeholder has no image and only a width.
struct ViewerButton {
    std::string key;
    std::string image;
    std::string tooltip;
    int gapTwips = 0;
    bool visible = true;

    bool isGap() const { return image.empty(); }
};

// What the viewer is given of the window that shows it: the "Migliora" confirmation and the zoom, which
// the viewer moves and gives back (`Form3Model::shared()` once it has closed), and the window's modes.
struct StepViewerShared {
    int ConfermaMigliora = 0;
    Zoom zoom;
    bool ModoSviluppo = false;
    // What the diagram shown came from: a drawn diagram's redraw can be tidied again ("Migliora").
    SourceKind ModoSorgente = SourceKind::Code;
    // The main grid shows a text drawing: its symbols are texts, which the copy takes along.
    bool disegnoTesto = false;
};

// What the viewer gives a redraw that draws into its grid: progress ticks for its status bar, and a way to
// show at once a tile just drawn (the animation of a diagram from a code) with the cell size in twips.
struct RidisegnoInVisore {
    std::function<void()> tick;
    std::function<void(int r, int c)> mostraTessera;
    int DimCella = 0;
};

// What the cell-drawing engine does for the viewer. Without a redraw ("F3SavDis" not given) "Applica"
// answers "Sel" at once and the move is applied through the rewrite of its code.
struct CellDrawingActions {
    std::function<void()> F3PulisciCelDis;  // clears the cell drawing (every load)
    std::function<void()> F3GenCelDis;      // builds the cell drawing
    // Shows the cell drawing as text (`F3VisCelDis`), the tile names from column `ColonnaBaseDis`.
    std::function<void(GridControl& Gr3, int ColonnaBaseDis)> F3VisCelDis;
    // Draws the cell drawing as pictures into the viewer's grid.
    std::function<void(GridControl& Gr3)> F3DisegnaCelDis;
    // Carries the move out on the cell drawing and draws it into the viewer's grid; the cells of the
    // viewer's grid where the redrawn drawing stands, from `ColonnaScorrimento` on. A failure's message is
    // shown as it stands (the move is then applied through its code).
    std::function<Result<GridArea>(GridControl& Gr3, const RidisegnoInVisore& visore)> F3SavDis;
    // Tidies the redrawn drawing again; true takes shortcuts through empty cells ("Migliora"). The cells
    // where the tidied drawing stands, or why it could not be tidied (the drawing then stays as it was).
    std::function<Result<GridArea>(GridControl& Gr3, bool)> F3SistemaGrafica;
    std::function<void()> F3Command8;  // the main window's side of the end of applying
    // The main window's caption for the step the move will make (`Testocaption` of the next step), which
    // the viewer's caption repeats before the outcome of the move. Not asked in the developer layout,
    // which records no step.
    std::function<std::string()> captionPassoSeguente;
    std::function<void()> Generareport;  // print preview of the shown step

    bool canApply() const { return static_cast<bool>(F3SavDis); }
};

// Seconds from one reading of the seconds-since-midnight timer to a later one; a span that crosses
// midnight stays positive.
double intervalloTimer(double from, double to);

// The viewer's caption after a redraw: "   Outcome of move I", "   Outcome of move II", "   Outcome of move
// III", "   Outcome of horizontal move III", "   Found connected sum"; empty for any other kind.
std::string testoEsitoRidisegno(MoveKind tipoMossa, BridgeKind tipoPonte);

// What the caption of a summand of a connected sum adds when its cut ends could not be joined.
inline constexpr const char* kAddendoNonChiuso = ": summand could not be closed";

// `F3Command8_click`'s timing text: "Time Application move sec." and the seconds.
std::string testoTempoApplicazione(double secondi);

// `CopiaGridDaF3`: the pictures of rows and columns from 1 of the viewer's grid go back into the same
// cells of the main grid; texts, sizes and colours stay.
void copiaGridDaF3(const GridControl& gr3, GridControl& gr);

// The cells of a grid whose pictures are red or green (a highlighted candidate), and with `grigie` grey too
// (the strand a redraw moved), in its columns c0..c1 (-1: to the last); or the empty area.
GridArea areaColorata(const GridControl& g, bool grigie = false, int c0 = 0, int c1 = -1);

// One cell of a grid.
struct CellaGriglia {
    int r = 0, c = 0;
    friend bool operator==(const CellaGriglia&, const CellaGriglia&) = default;
};

// The cells of a grid's columns c0..c1 (-1: to the last) whose pictures are red, green or grey, row by row.
std::vector<CellaGriglia> celleColorate(const GridControl& g, int c0, int c1 = -1);

// The changed place of an outcome marked as a candidate is: the pictures at `celle`, black or grey line
// tiles, drawn green. The area of those cells (empty for none).
GridArea coloraCambiate(GridControl& g, const std::vector<CellaGriglia>& celle);

// The area of every picture of a grid, from row 1 and column 1; or the empty area.
GridArea areaDisegni(const GridControl& g);

// Which pictures a block of the viewer's grid is chosen by: red or green ones (a highlighted candidate),
// grey ones (the cut arcs of a connected sum), or any picture (a drawing).
enum class ContaCelle { Colorate, Grigie, Disegnate };

// Within `area`, the block of `righe` by `colonne` cells that holds the most pictures counted by `conta`
// (the whole area when it is no larger).
GridArea bloccoPiuColorato(const GridControl& g, const GridArea& area, int righe, int colonne,
                           ContaCelle conta = ContaCelle::Colorate);

// `ColonnaScorrimento`'s limit for a drawn diagram at a zoom level: a drawing that stands further right is
// scrolled to (2: 150, 3: 118, 4 and above: 100, any other level 350).
int limiteScorrimento(int livelloZoom);

// Halving of a size in twips, a half going to the even neighbour ("Dim": 75 -> 38, 77 -> 38).
int dimezzaTwips(int twips);

class Form3Model {
  public:
    Form3Model(StepViewRequest request, const StepViewerShared& shared, MessagePort& messages,
               ClockPort& clock, CellDrawingActions actions = {});
    Form3Model(const Form3Model&) = delete;
    Form3Model& operator=(const Form3Model&) = delete;

    // Load: clears the answer, builds the toolbar for the request, clears the cell drawing.
    void Form_Load();
    // Activation: the first one copies the main grid's pictures, titles the window after the main
    // window's caption; every one writes the timing panels.
    void Form_Activate(const std::string& mainCaption);

    // Toolbar click by key; true when the window is to close. Unknown keys do nothing.
    bool tlb1_ButtonClick(std::string_view key);
    // Buttons of the developer panel; each returns true when the window is to close.
    bool cmdOK_Click();
    bool CmdContinua_Click();
    bool CmdInterrompi_Click();
    bool CmdRipeti_Click();
    void CmdDisDis_Click();
    void CmdGenCeldis_Click();
    void CmdsavDis_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Chkgr_Click(bool ticked);
    void Chdbgrad_Click(bool ticked) { Chdbgrad = ticked; }
    void Gr3_Click(int row, int col);
    void Migliora_Click();

    // A close request from the title bar is refused with "Click a button"; closing by code never is.
    bool QueryUnload(bool fromTitleBar);

    void Ridimensiona();
    void RicalcolaDimensioni(std::string_view piuMeno);

    // `F3AggiornaProgressivo`: the progress dots of a redraw in the viewer's status panels.
    void F3AggiornaProgressivo();

    // The size in twips of the part of `Gr3` the window shows; the viewer scrolls what the person must see
    // (the candidate, then the redrawn drawing) into it, and again after every zoom.
    void setVistaGriglia(int widthTwips, int heightTwips);
    // The part kept in view: the candidate's or the outcome's place, or of a place larger than the view the
    // block of the view's size with the most coloured cells.
    const GridArea& areaMostrata() const { return mostrata_; }
    // Called whenever the status panels change in the middle of work, so that the window shows them.
    std::function<void()> onPanelsChanged;
    // Called for a tile of `Gr3` that the window should show at once, in the middle of a redraw.
    std::function<void(int r, int c)> onTileDrawn;

    const std::vector<ViewerButton>& buttons() const { return buttons_; }
    // The first entry with that key (the summand toolbar has one "Successivo"), or nullptr.
    const ViewerButton* button(std::string_view key) const;
    bool buttonVisible(std::string_view key) const;

    const StepViewRequest& request() const { return request_; }
    // The confirmation and the zoom as the viewer leaves them, for the window that showed it.
    const StepViewerShared& shared() const { return shared_; }
    ViewerAnswer EsitoDialogo() const { return esito_; }
    const std::string& caption() const { return caption_; }
    const std::string& lblmsg() const { return request_.message; }
    const std::string& panel(std::string_view key) const;
    bool applied() const { return applied_; }
    // Seconds the search of the shown candidate took (the timing the report prints).
    double secondiRicerca() const { return intervalloTimer(tempoInizioRicerca_, request_.tempoFineRicerca); }
    bool developerLayout() const { return shared_.ModoSviluppo; }

    // The viewer's grid; the main grid it copies (from the request) and, for a connected sum, the main
    // grid it writes back into.
    GridControl Gr3;
    GridControl* mainGridForCopyBack = nullptr;

    int ColonnaBaseDis = 0;
    int ContaTessere = 0;
    int ContatoreProgresso = 0;  // progress of the redraw shown, 1..300
    int RigaClick = 0, ColClick = 0, RigaClickPrec = 0, ColClickPrec = 0;
    bool gridLines = false;
    bool Chdbgrad = false;

  private:
    void buildToolbar();
    void setVisible(std::string_view key, bool visible);
    void showAppliedToolbar();
    bool close(ViewerAnswer answer);
    int dimCella() const;
    // Makes `area` the part the viewer keeps in view and scrolls it there; of a coloured area (the
    // candidate) larger than the view, the most coloured part.
    void mostra(const GridArea& area, bool colorata);
    // Makes the outcome of the move the part the viewer keeps in view: every drawing whole when they fit,
    // else `cambiate` (where the move changed the drawing) in the middle, at every zoom.
    void mostraEsito(const GridArea& cambiate);
    void scorri();

    StepViewRequest request_;
    StepViewerShared shared_;
    MessagePort& messages_;
    ClockPort& clock_;
    CellDrawingActions actions_;
    std::vector<ViewerButton> buttons_;
    ViewerAnswer esito_ = ViewerAnswer::None;
    std::string caption_ = "Trevalon";
    std::string p1_, p2_, p4_;
    bool primaAttivazione_ = true;
    bool applied_ = false;
    bool redrawFailed_ = false;
    std::string mainCaption_;
    double tempoInizioRicerca_ = 0;
    double tempoFineDisegno_ = 0;
    GridArea focus_;
    GridArea disegni_;  // every drawing of the outcome, once it is shown
    GridArea mostrata_;
    bool esitoMostrato_ = false;
    bool focusColorato_ = false;
    ContaCelle focusConta_ = ContaCelle::Colorate;
    int vistaLarghezza_ = 0, vistaAltezza_ = 0;
};

}  // namespace trevalon
