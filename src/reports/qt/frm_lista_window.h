#pragma once
// The step list window: the grid of the steps of a run, a toolbar with "Export xls" and the status panel
// "p2" with the time of the run, around a filled `FrmLista`. Shown modally; closing discards it.

#include <QDialog>

#include "reports/step_list.h"

class QAction;
class QLabel;
class QStatusBar;
class QToolBar;

namespace trevalon {

class GridView;

class FrmListaWindow : public QDialog {
    Q_OBJECT

  public:
    explicit FrmListaWindow(FrmLista& lista, QWidget* parent = nullptr);

    FrmLista& lista() { return lista_; }
    GridView& grLis() { return *grLis_; }
    QAction* exportAction() const { return xls_; }
    QString panelP2() const;
    // How the run ended, when it was stopped; empty and hidden otherwise.
    QString panelP1() const;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void tlb1_ButtonClick(const QString& key);
    void layoutChildren();
    void fitColumns();

    FrmLista& lista_;
    QToolBar* tlb1_ = nullptr;
    QAction* xls_ = nullptr;
    GridView* grLis_ = nullptr;
    QStatusBar* stbr_ = nullptr;
    QLabel* p1_ = nullptr;
    QLabel* p2_ = nullptr;
    bool primaAttivazione_ = true;
};

// Shows a filled step list modally over a parent window.
class QtStepListPort : public StepListPort {
  public:
    explicit QtStepListPort(QWidget* parent) : parent_(parent) {}
    void showStepList(FrmLista& lista) override;

  private:
    QWidget* parent_;
};

}  // namespace trevalon
