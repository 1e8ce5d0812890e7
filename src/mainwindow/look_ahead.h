#pragma once
// The look-ahead instance of the horizontal search (`FormProva`): a diagram of its own, built from each
// code the search hands over as far as the move searches read it, with the automatic user interface. It
// has no grid, no history and no person: it only tells the search whether a move is there.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>

#include "moves/bridge_driver.h"
#include "platform/headless_ui.h"

namespace trevalon {

class FormProva : public FinestraPonte {
  public:
    // `finestra` is the window the look-ahead works for: its events are served while the look-ahead works,
    // and its stop request `richiestaStop` (read, never cleared here) ends the search.
    FormProva(std::shared_ptr<AlberoOrizzontale> albero, StopPort& finestra, StopRequest& richiestaStop)
        : ui_(finestra), albero_(std::move(albero)), stop_(richiestaStop) {}

    Diagram& diagramma() override { return diagram_; }
    UserInterface& ui() override { return ui_; }
    OpzioniMosse opzioni() const override;
    int contaNuoviIncroci() const override { return contaNuovi_; }
    void aggiungiNuoviIncroci(int n) override { contaNuovi_ += n; }
    // The look-ahead only counts moves: an applied move changes its texts and nothing else.
    bool committaMossa(MoveKind tipo, const TestoNodo& nuovo) override;
    void ridisegna() override {}

    AlberoOrizzontale& albero() override { return *albero_; }
    FinestraPonte& prova() override { return *this; }
    StopRequest& RichiestaStop() override { return stop_; }
    void fineCorsaCompleta() override {}
    bool caricaConsegna(const std::string& codice, const std::string& ori, const std::string& nomi) override;
    bool caricaConsegnaPerMosse(const std::string& codice, const std::string& ori,
                                const std::string& nomi) override;
    void impostaPassoCombinato(bool on) override { passoCombinato_ = on; }

  private:
    // No person, but the window's events are served.
    class ProvaUi : public AutomaticUi {
      public:
        explicit ProvaUi(StopPort& finestra) : finestra_(finestra) {}
        void yieldToEvents() override { finestra_.yieldToEvents(); }

      private:
        StopPort& finestra_;
    };

    bool carica(const std::string& codice, const std::string& ori, const std::string& nomi, bool conDistanze);
    // Every crossing name from this index on is empty: only the names below it are emptied for a diagram
    // handed over without names.
    void nomiFinoA(std::size_t n) {
        nomiFino_ = std::max(nomiFino_, std::min(n, diagram_.NomiIncroci.size()));
    }

    ProvaUi ui_;
    Diagram diagram_;
    std::shared_ptr<AlberoOrizzontale> albero_;
    StopRequest& stop_;
    int contaNuovi_ = 0;
    bool passoCombinato_ = false;
    std::size_t nomiFino_ = 0;
};

// A look-ahead instance for a thread of its own: it serves no window's events, has its own stop request
// (never made) and a tree of its own (never filled).
class FormProvaIsolata : public FormProva {
  public:
    FormProvaIsolata() : FormProva(std::make_shared<AlberoOrizzontale>(), nessunaFinestra_, nessunoStop_) {}

  private:
    class NessunaFinestra : public StopPort {
      public:
        void showStopFrame(const std::string&) override {}
        void hideStopFrame() override {}
        void yieldToEvents() override {}
    };
    // Constructed before the base reads them only as references.
    NessunaFinestra nessunaFinestra_;
    StopRequest nessunoStop_;
};

}  // namespace trevalon
