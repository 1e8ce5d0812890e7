#pragma once
// The knot designer's window: a picture under a grid of cells on which the user traces a knot, saves it
// as a knot source, checks it and compiles it. The drawing, the tracing, the undo log, the check and the
// compilation are the engine's (designer/); the window shows the grids and asks the questions.

#include <QDialog>
#include <QImage>
#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "celldraw/built_knot.h"
#include "designer/compiler.h"
#include "designer/tracing.h"
#include "platform/ports.h"
#include "platform/qt/grid_view.h"

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace trevalon {

// The drawing grid with the picture painted through its cells: white cells show the picture, coloured
// cells are tinted by it.
class PictureGridView : public GridView {
    Q_OBJECT

  public:
    using GridView::GridView;
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
};

// `FrmNewK`: the picture and the size code of a new knot.
class FrmNewK : public QDialog {
    Q_OBJECT

  public:
    // `scegliImmagine` picks a picture ("" when cancelled).
    explicit FrmNewK(const std::function<std::string()>& scegliImmagine, QWidget* parent = nullptr);

    QLineEdit& txtImg() { return *txtImg_; }
    QRadioButton& opzione(int codice) { return *opzioni_[codice - 1]; }
    // The trimmed picture path and the size code (1, 2 or 3).
    std::string NomeImg() const;
    int Cost() const;

    // "Conferma": an empty path asks first; a path that names no file says "File not found:" and keeps
    // the dialog open.
    void Conferma();

  private:
    QLineEdit* txtImg_ = nullptr;
    QRadioButton* opzioni_[3] = {};
};

class Form6 : public QMainWindow, public StatusPort {
    Q_OBJECT

  public:
    // `compilato` receives a knot compiled without faults and the knot file written for it.
    using Compilato = std::function<void(NodoCostruito&& nodo, const std::filesystem::path& fileNodo)>;
    Form6(std::filesystem::path knotsFolder, Compilato compilato, QWidget* parent = nullptr);
    ~Form6() override;

    GriglieDesigner& griglie() { return g_; }
    PictureGridView& gridView() { return *view_; }
    QAction* action(const std::string& key) const;
    bool Modificato() const { return g_.traccia.Modificato; }
    const std::filesystem::path& FileSorgente() const { return FileSorgente_; }
    const std::string& NomeImg() const { return NomeImg_; }
    const std::filesystem::path& ImmagineCaricata() const { return ImmagineCaricata_; }
    int DimCellaDise() const { return DimCellaDise_; }

    // A new design over `immagine` (may be empty) at size `codice`: false, with a message, when the grid
    // cannot be set up.
    bool InizializzaNuovo(const std::string& immagine, int codice);
    // Reads a knot source into the grid; false, with a message, when it cannot be read.
    bool LeggiFile(const std::filesystem::path& percorso);
    // Writes the drawing to `percorso`; the modified flag is cleared only by a complete write.
    bool SalvaFile(const std::filesystem::path& percorso);
    // The drawing as the engine keeps it, read from the shadow grid.
    DisegnoProgetto disegno() const;
    // Checks the drawing (thinning it); refused cells are painted red. Returns the engine's result.
    EsitoControllo ControllaSource();
    // Checks the drawing, then compiles into `FileSorgente` (asked for only when the check passed and there
    // is none); on success the knot goes to the compiled-knot callback and the main window comes forward.
    bool Compila();

    // The toolbar commands, as the buttons run them.
    void Nuovo();
    void Apri();
    bool Salva();
    void Undo() { g_.traccia.Annulla(); }

    // StatusPort: panel "p1" the pending trace start, "p2" the cell under the mouse.
    void setPanel(const std::string& key, const std::string& text) override;
    std::string panel(const std::string& key) const override;
    void setBusy(bool busy) override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    // The grid's mouse: the right button held shows the bare picture; moves show the cell in "p2".
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildToolbar();
    // Zoom out and zoom in are enabled only where they change the cell size.
    void abilitaZoom();
    // "Save changes?" when the drawing was changed: true when the caller may go on (saved, or not wanted).
    bool chiediSalvataggio();
    // `caricata`: the path the picture was read from, empty when there is none.
    bool impostaGriglia(const DisegnoProgetto& d, const QImage& picture, const std::string& caricata);
    void caricaGriglie(const DisegnoProgetto& d);
    void ridisegna(bool dopoTraccia);
    // The picture `nome`, looked for as the engine says (a relative name from `cartellaSorgente`); a picture
    // not found says why and gives nothing. `trovato` receives the path it was read from.
    std::optional<QImage> caricaImmagine(const std::string& nome,
                                         const std::filesystem::path& cartellaSorgente, std::string& trovato);
    int colonnePer(int righe, const QImage& picture) const;
    void messaggio(const std::string& testo);
    std::string scegliFile(bool salva, const std::string& filtro);

    std::filesystem::path knotsFolder_;
    Compilato compilato_;
    GriglieDesigner g_;
    PictureGridView* view_ = nullptr;
    QActionGroup* paletteGroup_ = nullptr;
    QLabel* p1_ = nullptr;
    QLabel* p2_ = nullptr;
    bool ImmagineNuda = false;
    std::map<std::string, QAction*> actions_;
    std::map<std::pair<int, int>, char> marche_;  // the checker's marks of the cells painted red
    bool RicontrolloAttivo_ = false;              // a check failed: every trace is checked again
    std::filesystem::path FileSorgente_;
    std::string NomeImg_;
    std::filesystem::path
        ImmagineCaricata_;  // the picture shown, the one a compilation copies; empty for none
    static constexpr int kCellaPiccola = 120;  // twips: the cell size of "Zoom out", the first shown
    static constexpr int kCellaGrande = 200;   // twips: the cell size of "Zoom in"
    int Cost_ = 1;
    int DimCellaDise_ = kCellaPiccola;
};

}  // namespace trevalon
