#pragma once
// The main window's engine object: the tables of its diagram, its grid model, its modes and the
// procedures of start-up, toolbar, caption and progress. The visible main window owns one; the hidden
// look-ahead instance is a second one with the automatic user interface and `PrimaForm` set.

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "layout/layout_state.h"
#include "layout/render_grid.h"
#include "layout/tile_renderer.h"
#include "mainwindow/program_context.h"
#include "model/cell_drawing.h"
#include "model/step_history.h"
#include "model/tables.h"
#include "platform/grid_control.h"
#include "platform/ports.h"

namespace trevalon {

class Form2 {
  public:
    // `primaForm` is empty for the visible main window and names the caller for the hidden instance.
    Form2(ProgramContext& context, UserInterface& userInterface, std::string primaForm = {});
    Form2(const Form2&) = delete;
    Form2& operator=(const Form2&) = delete;

    ProgramContext& ctx;
    UserInterface& ui;

    // The program-wide flags, reached through the shared context.
    bool& ModoSviluppo;
    bool& ModoDebug;
    bool& ModoBatch;
    bool& ModoAutomatico;
    bool& CorsaCompleta;
    int& RichiestaStop;
    char& ModoSorgente;

    // This window's diagram and display.
    Diagram diagram;
    GridControl Gr;
    TileNameTable Tbltt;

    std::string PrimaForm;
    char ModoGen = 'A';  // 'A', 'I' or 'D': what the current tables were built from
    bool PrimaAttivazione = true;
    int PartenzaDisegno = 1;
    int ContatoreProgresso = 0;
    int ContaTastoF9 = 0;
    int ContaRotazioni = 0;  // the developer layout's rotation tool
    int NumStato = 0;
    int AltezzaGriglia = 0;
    std::string NomeFileNodo;
    std::filesystem::path CartellaDialoghi;  // start folder of the file dialogs

    // Building from a code, the step history and the opened file (build_commands.h, history.h,
    // open_knot.h).
    LayoutState layout;
    RenderState render;
    CellDrawing tblGen;
    std::vector<Stato> tblStati = std::vector<Stato>(kMaxStati + 1);
    int NumElaborati = 0;
    int NumIncrociDis = 0;
    int PosScifta = 1;
    int VarScifta = 0;
    std::string NomeFile;  // the file chosen or passed last: base of the proposed save names
    // Rebuilds the tables from the cell drawing (`GeneradatblGen`); installed by the cell-drawing engine.
    std::function<bool()> GeneradatblGen;

    // Window events.
    void Form_Load();
    void Form_Activate();
    // Key code and whether Shift alone is held; true when the key was handled.
    bool Form_KeyDown(int keyCode, bool onlyShift);

    // Runs the command of a toolbar key; unknown keys and gaps do nothing.
    void tlb1_ButtonClick(std::string_view key);
    // Commands of later parts register here; a key without a command stays disabled.
    void setCommand(std::string key, std::function<void()> command);
    bool hasCommand(std::string_view key) const;

    void AbilitaBottoni(bool tmpEnb);
    void Testocaption(int tmpIstati);
    void AggiornaProgressivo();
    void SettaDone();
    void VisualizzaDocumentazione();
    // Loads the tile palette of the current source kind into the shared context.
    void CaricaFormTessere();

    // "Exit": asks the window to close.
    void Uscita();
    bool closeRequested() const { return closeRequested_; }
    std::function<void()> onClose;

    bool isHiddenInstance() const { return !PrimaForm.empty(); }
    std::filesystem::path documentationPath() const;

  private:
    std::map<std::string, std::function<void()>, std::less<>> commands_;
    bool closeRequested_ = false;
};

// The file name of a knot path with its knot extensions removed, as the caption shows it; accepts "/"
// and "\" as folder separators.
std::string captionBaseName(std::string_view path);

}  // namespace trevalon
