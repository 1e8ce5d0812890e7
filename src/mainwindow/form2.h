#pragma once
// The main window's engine object: its knot document and view, and the procedures of start-up, toolbar,
// caption and progress. The visible main window owns one; the look-ahead instance of the horizontal
// search is a smaller object of its own (look_ahead.h).

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "mainwindow/document.h"
#include "mainwindow/program_context.h"
#include "mainwindow/window_context.h"
#include "platform/ports.h"

namespace trevalon {

class Form2 {
  public:
    Form2(ProgramContext& context, UserInterface& userInterface);
    Form2(const Form2&) = delete;
    Form2& operator=(const Form2&) = delete;

    // The document, the stop request, the program context and the ports, which the procedures below the
    // commands are handed; and the view they draw into.
    ContestoFinestra contesto;
    VistaNodo vista;

    // The context's parts under the names the commands use.
    ProgramContext& ctx = contesto.ctx;
    UserInterface& ui = contesto.ui;
    DocumentoNodo& doc = contesto.doc;
    StopRequest& RichiestaStop = contesto.RichiestaStop;
    int& ContatoreProgresso = contesto.ContatoreProgresso;
    std::filesystem::path& CartellaDialoghi = contesto.CartellaDialoghi;

    bool PrimaAttivazione = true;
    bool& bottoniAbilitati = contesto.bottoniAbilitati;
    int ContaTastoF9 = 0;
    int ContaRotazioni = 0;  // the developer layout's rotation tool
    // The last two cells clicked in the step viewer's grid (row, column; the one before): the corners of
    // the developer's diagonal shift.
    int RigaClick = 0, ColClick = 0, RigaClickPrec = 0, ColClickPrec = 0;

    // Window events.
    void Form_Load();
    void Form_Activate();
    // Key code and whether Shift alone is held; true when the key was handled.
    bool Form_KeyDown(int keyCode, bool onlyShift);

    // Runs the command of a toolbar key; unknown keys and gaps do nothing.
    void tlb1_ButtonClick(std::string_view key);
    // Commands of later parts register here; a key without a command stays disabled.
    // Binds a toolbar key to its command; a key bound already is refused (std::logic_error).
    void setCommand(std::string key, std::function<void()> command);
    // Called after "Load Knot" has opened another knot.
    std::function<void()> onKnotOpened;
    bool hasCommand(std::string_view key) const;
    // Runs the command bound to a key, toolbar key or not (the developer panel reaches the commands that
    // have no toolbar button this way); false when the key has none.
    bool eseguiComando(std::string_view key);

    void AbilitaBottoni(bool tmpEnb) { contesto.AbilitaBottoni(tmpEnb, vista.zoom); }
    // "Zoom out" and "Zoom in", while the diagram commands are on, each only short of its end of the
    // zoom's range: a button that can do nothing is off.
    void AbilitaZoom() { contesto.AbilitaZoom(vista.zoom); }
    void Testocaption(int tmpIstati) { contesto.Testocaption(tmpIstati); }
    void AggiornaProgressivo() { contesto.AggiornaProgressivo(); }
    void SettaDone() { contesto.SettaDone(); }
    void VisualizzaDocumentazione();
    // Loads the tile palette of the current source kind into the shared context.
    void CaricaFormTessere() { trevalon::CaricaFormTessere(vista, doc.modi); }
    // The tile palette of the window's diagrams, loaded on first use.
    const TilePalette& paletteCorrente() { return trevalon::paletteCorrente(vista, doc.modi); }

    // "Exit": asks the window to close.
    void Uscita();
    // The window is to close while a command runs: the running search stops at once and the command ends
    // without showing anything more.
    void richiediChiusura() {
        contesto.chiusuraRichiesta = true;
        RichiestaStop.richiedi();
    }
    bool closeRequested() const { return contesto.chiusuraRichiesta; }
    std::function<void()> onClose;

    std::filesystem::path documentationPath() const;

  private:
    std::map<std::string, std::function<void()>, std::less<>> commands_;
};

}  // namespace trevalon
