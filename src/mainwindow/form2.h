#pragma once
// The main window's engine object: its knot document and view, and the procedures of start-up, toolbar,
// caption and progress. The visible main window owns one; the look-ahead instance of the horizontal
// search is a smaller object of its own (look_ahead.h).

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

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
    // commands are handed; its document; and the view they draw into.
    ContestoFinestra& contesto() { return contesto_; }
    const ContestoFinestra& contesto() const { return contesto_; }
    DocumentoNodo& doc() { return contesto_.doc; }
    const DocumentoNodo& doc() const { return contesto_.doc; }
    VistaNodo& vista() { return vista_; }
    const VistaNodo& vista() const { return vista_; }

    // True from the load until the first activation has run.
    bool primaAttivazione() const { return PrimaAttivazione; }

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
    bool hasCommand(std::string_view key) const;
    // Runs the command bound to a key, toolbar key or not (the developer panel reaches the commands that
    // have no toolbar button this way); false when the key has none.
    bool eseguiComando(std::string_view key);
    // What is to happen after a command has opened another knot ("Load Knot", the developer's openings).
    void setOnKnotOpened(std::function<void()> f) { onKnotOpened_ = std::move(f); }
    void nodoAperto() const {
        if (onKnotOpened_) onKnotOpened_();
    }

    void AbilitaBottoni(bool tmpEnb) { contesto_.AbilitaBottoni(tmpEnb, vista_.zoom); }
    // "Zoom out" and "Zoom in", while the diagram commands are on, each only short of its end of the
    // zoom's range: a button that can do nothing is off.
    void AbilitaZoom() { contesto_.AbilitaZoom(vista_.zoom); }
    void Testocaption(int tmpIstati) { contesto_.Testocaption(tmpIstati); }
    void AggiornaProgressivo() { contesto_.AggiornaProgressivo(); }
    void SettaDone() { contesto_.SettaDone(); }
    void VisualizzaDocumentazione();
    // Loads the tile palette of the current source kind into the shared context.
    void CaricaFormTessere() { trevalon::CaricaFormTessere(vista_, contesto_.doc.modi); }
    // The tile palette of the window's diagrams, loaded on first use.
    const TilePalette& paletteCorrente() { return trevalon::paletteCorrente(vista_, contesto_.doc.modi); }

    // "Exit": asks the window to close.
    void Uscita();
    // The window is to close while a command runs: the running search stops at once and the command ends
    // without showing anything more.
    void richiediChiusura() {
        contesto_.chiusuraRichiesta = true;
        contesto_.RichiestaStop.richiedi();
    }
    bool closeRequested() const { return contesto_.chiusuraRichiesta; }
    // What "Exit" asks of the window.
    void setOnClose(std::function<void()> f) { onClose_ = std::move(f); }

    std::filesystem::path documentationPath() const;

  private:
    ContestoFinestra contesto_;
    VistaNodo vista_;
    bool PrimaAttivazione = true;
    int ContaTastoF9 = 0;
    std::function<void()> onKnotOpened_;
    std::function<void()> onClose_;
    std::map<std::string, std::function<void()>, std::less<>> commands_;
};

}  // namespace trevalon
