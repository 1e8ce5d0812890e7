#pragma once
// The main-grid editor of the developer layout: the grid's popup menu `MnuAzioni` on the right button, the
// drawing tools `Frame2` (palette labels, "Singolo", "Dim Doppia", "Undo", "Annnulla", "Clear", "grl"),
// which take the place of the panel `Frame1` while drawing mode is on, and the grid's mouse presses handed
// to the editor. What each of them does is the editor's (mainwindow/grid_editor.h).

#include <QFrame>
#include <QSize>
#include <functional>
#include <map>
#include <string>

#include "mainwindow/grid_editor.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;

namespace trevalon {

struct ContestoFinestra;
struct VistaNodo;
class GridView;

class EditorGrigliaQt : public QFrame {
    Q_OBJECT

  public:
    // `frame1` is the panel that the tools replace while drawing mode is on; `esegui` runs an action as
    // the window runs its commands (one at a time, failures shown).
    EditorGrigliaQt(ContestoFinestra& f, VistaNodo& v, GridView& griglia, QFrame* frame1,
                    std::function<void(const std::function<void()>&)> esegui, QWidget* parent = nullptr);

    EditorGriglia& editor() { return editor_; }
    // The popup menu and its items by name ("mnuAtDis", "MnuAsterisco", ... "mnuRowCol").
    QMenu* menu() const { return menu_; }
    QAction* voce(const std::string& nome) const;
    QPushButton* pulsante(const std::string& nome) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAction* aggiungiVoce(const char* nome, const QString& caption, bool spuntabile,
                          void (EditorGriglia::*azione)());
    QLabel* etichetta(const char* nome, const EtichettaPalette& e);
    // Shows the editor's state: the menu's marks and enabling, which frame is shown, the pointer, the
    // grid control's size, the current symbol.
    void mostraStato();

    ContestoFinestra& f_;
    VistaNodo& v_;
    GridView& griglia_;
    QFrame* frame1_;
    std::function<void(const std::function<void()>&)> esegui_;
    EditorGriglia editor_;
    QMenu* menu_ = nullptr;
    std::map<std::string, QAction*> voci_;
    std::map<std::string, QPushButton*> pulsanti_;
    std::map<QObject*, const EtichettaPalette*> etichette_;
    QLabel* LblSce_ = nullptr;
    QCheckBox* ChkSingolo_ = nullptr;
    bool modoMostrato_ = false;
    QSize minimaGriglia_, massimaGriglia_;
};

}  // namespace trevalon
