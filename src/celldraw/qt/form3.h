#pragma once
// The step viewer window: a modal dialog built afresh for every candidate around a `Form3Model`. It
// shows the picture copy of the main grid in `Gr3`, the message `lblmsg`, the toolbar of the candidate
// and the status panels; it hides the main grid while open and refuses to be closed from its title bar.

#include <QDialog>
#include <QString>
#include <map>
#include <string>
#include <vector>

#include "celldraw/step_viewer.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QStatusBar;
class QToolBar;

namespace trevalon {

class GridView;

class Form3 : public QDialog {
    Q_OBJECT

  public:
    // `mainWindow` gives the size and the caption, `mainGridWidget` is hidden while the viewer is open,
    // `mainGridForCopyBack` receives the pictures of a chosen connected sum (all may be null).
    Form3(const StepViewRequest& request, StepViewerShared shared, MessagePort& messages, ClockPort& clock,
          QWidget* mainWindow, QWidget* mainGridWidget, GridControl* mainGridForCopyBack = nullptr,
          CellDrawingActions actions = {});
    ~Form3() override;

    // Shows the viewer modally and returns the answer.
    ViewerAnswer mostra();

    Form3Model& model() { return model_; }
    GridView& gr3() { return *gr3_; }
    QToolBar& toolbar() { return *tlb1_; }
    // The toolbar actions of a key, in toolbar order (the summand toolbar has one "Successivo").
    std::vector<QAction*> actions(const std::string& key) const;
    QAction* action(const std::string& key) const;
    // Runs a toolbar key as a click would.
    void clickKey(const std::string& key);
    QString panelText(const std::string& key) const;
    // `Generareport`: the print preview of the step shown ("Stampa", developer layout only).
    void Generareport();

  protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;

  private:
    void buildToolbar();
    void buildDeveloperPanel();
    void activate();
    void syncFromModel();
    void handle(bool closes);
    void closeByCode();
    void layoutChildren();
    void setMessage(const std::string& text);
    void elideMessage();

    Form3Model model_;
    QWidget* mainWindow_ = nullptr;
    QWidget* mainGridWidget_ = nullptr;
    bool mainGridWasVisible_ = false;
    bool closingByCode_ = false;
    bool activating_ = false;
    QToolBar* tlb1_ = nullptr;
    QLabel* lblmsg_ = nullptr;
    QString message_;
    QFrame* frame1_ = nullptr;
    QCheckBox* chkgr_ = nullptr;
    GridView* gr3_ = nullptr;
    QStatusBar* stbr_ = nullptr;
    std::map<std::string, QLabel*> panels_;
    std::vector<std::pair<std::string, QAction*>> actions_;
};

// The step viewer for the main window: shows one candidate and returns the answer.
ViewerAnswer mostraStepViewer(const StepViewRequest& request, StepViewerShared shared, MessagePort& messages,
                              ClockPort& clock, QWidget* mainWindow, QWidget* mainGridWidget,
                              GridControl* mainGridForCopyBack, CellDrawingActions actions = {});

}  // namespace trevalon
