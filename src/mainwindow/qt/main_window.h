#pragma once
// The main window: toolbar, diagram grid, status bar and stop frame around one main-window engine
// object, whose questions and messages it answers as the user interface.

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "designer/qt/form6.h"
#include "mainwindow/developer_panel.h"
#include "mainwindow/form2.h"
#include "mainwindow/move_adapter.h"
#include "mainwindow/program_context.h"
#include "mainwindow/qt/developer_panel_qt.h"
#include "mainwindow/qt/grid_editor_qt.h"
#include "mainwindow/qt/small_boxes_qt.h"
#include "mainwindow/sum_command.h"
#include "platform/ports.h"
#include "reports/qt/frm_lista_window.h"

class QAction;
class QFrame;
class QLabel;
class QPushButton;
class QToolBar;

namespace trevalon {

class GridView;

class MainWindow : public QMainWindow, public UserInterface {
    Q_OBJECT

  public:
    explicit MainWindow(const std::filesystem::path& programFolder, QWidget* parent = nullptr);
    // With the choices made when the program starts (the developer layout, the table dumps).
    explicit MainWindow(ProgramContext context, QWidget* parent = nullptr);
    ~MainWindow() override;

    Form2& form() { return *form_; }
    ProgramContext& context() { return ctx_; }
    GridView& gridView() { return *grid_; }
    QToolBar& toolbar() { return *toolbar_; }
    QtBoxes& boxes() { return *caselle_; }
    // The knot designer while it is open, else nullptr.
    Form6* designer() const { return designer_; }
    // The toolbar action of a key, or nullptr (gaps have none).
    QAction* action(const std::string& key) const;

    // Runs a toolbar command as a click would; failures become a message.
    void runCommand(const std::string& key);
    // Runs any command of the window the same way: one at a time, the toolbar (or the developer panel)
    // off meanwhile, failures shown as a message.
    void runGuarded(const std::function<void()>& work);
    // The developer layout's panel, or nullptr in the ordinary layout.
    PannelloSviluppoQt* developerPanel() const { return pannelloQt_; }
    PannelloSviluppo* developerPanelEngine() const { return pannello_.get(); }
    // The developer layout's editor on the main grid (its drawing tools and popup menu), or nullptr.
    EditorGrigliaQt* gridEditor() const { return editorQt_; }

    // MessagePort
    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    std::optional<std::string> askInput(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    // FileDialogPort
    std::string openFileName(const std::string& folder, const std::vector<FileFilter>& filters) override;
    std::string saveFileName(const std::string& folder, const std::string& proposedName,
                             const std::vector<FileFilter>& filters) override;
    // StatusPort
    void setPanel(const std::string& key, const std::string& text) override;
    std::string panel(const std::string& key) const override;
    void setBusy(bool busy) override;
    // CommandPort
    void setCommandEnabled(const std::string& key, bool enabled) override;
    bool commandEnabled(const std::string& key) const override;
    void setToolbarEnabled(bool enabled) override;
    void setCaption(const std::string& text) override;
    std::string caption() const override;
    // StopPort
    void showStopFrame(const std::string& text) override;
    void hideStopFrame() override;
    void yieldToEvents() override;
    // StepViewerPort
    ViewerAnswer showCandidate(const StepViewRequest& request) override;
    // ClockPort
    std::chrono::steady_clock::time_point now() override;
    double secondsSinceMidnight() override;
    // ShellPort
    bool openDocument(const std::string& path) override;

    // A command is running: the toolbar is off and further clicks wait for it to end.
    bool commandRunning() const { return running_; }

  protected:
    bool event(QEvent* event) override;
    // Closing while a command runs asks it to stop and closes the window when it has.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void buildToolbar();
    // "Servizi": the knot designer, whose compiled knots open here.
    void apriDesigner();
    void buildStatusBar();
    void activate();
    QLabel* panelLabel(const std::string& key) const;
    void applyToolbarState();

    ProgramContext ctx_;
    std::unique_ptr<Form2> form_;
    // The moves' view of form_ (with its look-ahead instance) and the complete run's step list.
    std::unique_ptr<FinestraForm2> mosse_;
    std::unique_ptr<FinestraSommaForm2> somma_;
    std::unique_ptr<PannelloSviluppo> pannello_;
    PannelloSviluppoQt* pannelloQt_ = nullptr;
    EditorGrigliaQt* editorQt_ = nullptr;
    std::unique_ptr<QtStepListPort> listaPassi_;
    std::unique_ptr<QtBoxes> caselle_;
    GridView* grid_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QFrame* frame3_ = nullptr;
    QLabel* frame3Text_ = nullptr;
    QPushButton* command15_ = nullptr;
    QLabel* p1_ = nullptr;
    QLabel* p2_ = nullptr;
    std::map<std::string, QAction*> actions_;
    int busyDepth_ = 0;
    bool running_ = false;
    bool toolbarWanted_ = true;  // what the engine asked for; off anyway while a command runs
    bool closeAfterRun_ = false;
    QPointer<Form6> designer_;
    QElapsedTimer sinceEvents_;  // since pending events were last served
};

// File-dialog filter text from the engine's filters: "File knot (*.kno *.gau)".
QString dialogFilterText(const std::vector<FileFilter>& filters);

}  // namespace trevalon
