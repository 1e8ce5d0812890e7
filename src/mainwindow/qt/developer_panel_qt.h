#pragma once
// The developer layout's panel (`Frame1`) over the main grid: the fields of the Gauss text, the letters
// and the layout, the grid-line and straightening switches, and one button per step of the panel.

#include <QFrame>
#include <functional>
#include <map>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace trevalon {

struct VistaNodo;
class GridView;
class PannelloSviluppo;

class PannelloSviluppoQt : public QFrame {
    Q_OBJECT

  public:
    // `vista` is the window's view, whose layout and drawing settings the fields and boxes set; `esegui`
    // runs a button's step as the window runs its commands (one at a time, failures shown).
    PannelloSviluppoQt(PannelloSviluppo& pannello, VistaNodo& vista, GridView& griglia,
                       const std::function<void(const std::function<void()>&)>& esegui,
                       QWidget* parent = nullptr);

    QPushButton* pulsante(const std::string& key) const;
    // The text fields show the panel's fields again (after a step that wrote them).
    void aggiornaCampi();
    // The catalogue's names into the combo box `CmbNodi`, the first one chosen.
    void riempiCatalogo();
    // The status panel "p2", which the developer layout shows on the panel (its status bar is hidden).
    void mostraStato(const QString& testo);

  private:
    PannelloSviluppo& pannello_;
    VistaNodo& vista_;
    QLineEdit* txtNodo_ = nullptr;
    QLineEdit* TxtOri_ = nullptr;
    QComboBox* CmbNodi_ = nullptr;
    QLabel* stato_ = nullptr;
    std::map<std::string, QPushButton*> pulsanti_;
};

}  // namespace trevalon
