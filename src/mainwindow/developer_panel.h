#pragma once
// The developer layout's panel of construction buttons: the Gauss text and letters typed by hand, the
// layout's own fields, and one button per step of the model, layout and move services, run by hand on the
// window's diagram. Here is what each button does; the Qt panel only shows the fields and the buttons.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/developer_hook.h"
#include "layout/grid_view.h"
#include "mainwindow/batch_panel.h"
#include "model/catalogue.h"
#include "model/knot_files.h"
#include "moves/relabel.h"

namespace trevalon {

class Form2;

struct PulsantePannello {
    std::string key;      // the button's handler, e.g. "CmdTutto"
    std::string caption;  // as on the button
    std::function<void()> azione;
};

// A developer's tuning value as typed: the number at the front of the text (0 when there is none); a
// number outside the 16-bit range is refused with nothing stored.
std::optional<int> valoreDebugDaTesto(std::string_view testo);

class PannelloSviluppo : public CatalogoStrumenti {
  public:
    explicit PannelloSviluppo(Form2& f);

    // The panel's `txtNodo` and `TxtOri` fields: what "Tutto" builds and what the relabelling scan writes.
    std::string txtNodo;
    std::string TxtOri;

    // The catalogue of named knots (`CmbNodi`): read from Knots/NodiCodificati.txt beside the program (the
    // trefoil alone in batch work). A missing or faulty file leaves it empty and says why; otherwise entry
    // 0 is chosen.
    Status CaricaTabellaNodiCodificati();
    const std::vector<VoceCatalogo>& catalogo() const override { return catalogo_; }
    // `CmbNodi_Click` with `CaricaDatiNodoCodificato`: entry i's code and letters into the fields, which
    // "Tutto" builds. An index outside the catalogue does nothing.
    void CmbNodi_Click(int i);
    // The entry chosen last (0 before any).
    int voceScelta() const override { return voceScelta_; }
    // A catalogue read from another file replaces the entries; entry 0 is chosen.
    void impostaCatalogo(std::vector<VoceCatalogo> voci) override;
    // Called when the entries changed, so that the window lists them again.
    std::function<void()> catalogoCambiato;

    const std::vector<PulsantePannello>& pulsanti() const { return pulsanti_; }
    // Runs the button's action; false for a key the panel does not have.
    bool premi(std::string_view key);
    // The caption a button shows now ("Scifta 1" shows the root crossing once pressed); empty for a key
    // the panel does not have.
    std::string didascalia(std::string_view key) const;
    // A button bound by a later part of the program; a key already there is refused (std::logic_error).
    void aggiungi(PulsantePannello p);
    // Called after a button has changed the fields, so that the window shows them.
    std::function<void()> campiCambiati;

    // "dbg": while ticked, the layout steps of the panel show the cells they mark and pause at each step
    // of the construction in the step viewer. Off when the developer layout starts.
    bool Chdbgrad = false;
    // `Command11_Click`: the main grid's characters classified and shown with the black drawn-knot tiles.
    void Command11_Click();
    // `CndVisListaCelle_Click`: the arc asked in the input box "arco" (proposed: the arc of the main grid's
    // current cell, else the one listed last) is listed again by `ListaCelle`, which shows each of its
    // cells in the main grid and pauses at it in the step viewer, "dbg" ticked or not. Every cell of its
    // path is listed, the first one too; an arc laid out along the layout's tree has no path: its cells are
    // listed as its course runs (`celleDelCorso`), and that list becomes its path. Only an arc with no cell
    // is refused.
    void CndVisListaCelle_Click();
    // `RuotaTabNodo`'s test ("Ruota"): the cell table turned on a copy, its character picture "ruota.txt"
    // written into the dumps folder (the status says where), then saved as a knot file of the "RUO" kind.
    void CmdRuota_Click();
    // `NodoIngrid` ("Vis Nodo"): the work grid of the last layout as numbers in the main grid.
    void CmdVisNodo_Click();

  private:
    // The cell marks installed as the layout's developer hook for one panel step, while "dbg" is ticked.
    class MarcheInstallate {
      public:
        // `sempre`: installed whether "dbg" is ticked or not.
        explicit MarcheInstallate(PannelloSviluppo& p, bool sempre = false);
        ~MarcheInstallate();
        MarcheInstallate(const MarcheInstallate&) = delete;
        MarcheInstallate& operator=(const MarcheInstallate&) = delete;

      private:
        PannelloSviluppo& p_;
        std::unique_ptr<LayoutDeveloperHook> marche_;
    };

    CodiceGauss codiceDeiCampi() const;
    // One button of the panel, after those bound so far.
    // The window's ports.
    UserInterface& ui();
    void nuovo(const char* key, const char* caption, std::function<void()> azione);
    void aggiornaCampi();
    void impostaDidascalia(std::string_view key, std::string testo);
    void pulsantiCodice();
    void pulsantiLayout();
    void pulsantiStrumenti();

    Form2& f_;
    std::vector<PulsantePannello> pulsanti_;
    EstensioneDisegno estensione_;  // the character drawing's range, as "aum" found it
    std::vector<VoceCatalogo> catalogo_;
    int voceScelta_ = 0;
    EnumerazioneScifta scifta_;
    int arcoListato_ = 1;    // the arc "ListaCelle" listed last
    int ContaRotazioni = 0;  // the quarter turns "Ruota" made
};

}  // namespace trevalon
