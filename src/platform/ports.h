#pragma once
// What the engine asks of a person or a window. The engine never talks to a widget directly: the Qt
// windows implement these interfaces, and so do the headless implementations (automatic runs, tests).

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/codes.h"
#include "platform/grid_control.h"

namespace trevalon {

// Message boxes with the program's title.
class MessagePort {
  public:
    virtual ~MessagePort() = default;
    virtual void showMessage(const std::string& text) = 0;
    virtual bool askYesNo(const std::string& text) = 0;  // true = Yes
    // An input box; nullopt when cancelled.
    virtual std::optional<std::string> askInput(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) = 0;
};

// One filter of a file dialog: "File knot" with {"*.kno", "*.gau"}.
struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;
};

// Open and save dialogs. An empty result means the person cancelled.
class FileDialogPort {
  public:
    virtual ~FileDialogPort() = default;
    virtual std::string openFileName(const std::string& folder, const std::vector<FileFilter>& filters) = 0;
    // The dialog asks before overwriting an existing file.
    virtual std::string saveFileName(const std::string& folder, const std::string& proposedName,
                                     const std::vector<FileFilter>& filters) = 0;
};

// Status bar panels ("p1", "p2") and the busy pointer.
class StatusPort {
  public:
    virtual ~StatusPort() = default;
    // Shows the text at once, even in the middle of long work on the one thread.
    virtual void setPanel(const std::string& key, const std::string& text) = 0;
    virtual std::string panel(const std::string& key) const = 0;
    // Calls come in pairs (true, then false) and may nest: the pointer is busy while any pair is open.
    virtual void setBusy(bool busy) = 0;
};

// The toolbar commands, by key, and the window caption.
class CommandPort {
  public:
    virtual ~CommandPort() = default;
    virtual void setCommandEnabled(const std::string& key, bool enabled) = 0;
    virtual bool commandEnabled(const std::string& key) const = 0;
    virtual void setToolbarEnabled(bool enabled) = 0;
    virtual void setCaption(const std::string& text) = 0;
    virtual std::string caption() const = 0;
};

// The search frame with its "Cancel" button. Cancel sets the engine's stop request; the engine lets the
// person press it by yielding in every pass of a long loop. A yield is cheap: a window serves its pending
// events only when some milliseconds have passed since it last did.
// The person's request to stop a long job: "Cancel" of the search frame, or closing the window. Made from
// the event loop while the job runs, read by the job at its checkpoints, withdrawn once the job has
// stopped or a new one starts.
class StopRequest {
  public:
    void richiedi() { requested_ = true; }
    bool richiesta() const { return requested_; }
    void azzera() { requested_ = false; }

  private:
    bool requested_ = false;
};

class StopPort {
  public:
    virtual ~StopPort() = default;
    virtual void showStopFrame(const std::string& text) = 0;
    virtual void hideStopFrame() = 0;
    virtual void yieldToEvents() = 0;
};

// What the step viewer is shown for one candidate.
struct StepViewRequest {
    MoveKind tipoMossa = MoveKind::None;
    // Read for move III only; a request that does not say reads as the horizontal move.
    BridgeKind tipoPonte = BridgeKind::Horizontal;
    ViewerAction tipoAzione = ViewerAction::Move;
    std::string message;  // lblmsg
    // For a summand of a connected sum: false when its cut ends could not be joined; the viewer then says
    // so and offers no "Salva".
    bool salvabile = true;
    // The cells of the main grid the viewer opens on (when larger than the view, the part with most grey
    // cells for a candidate, with most drawn cells for a summand); empty: the candidate's coloured cells.
    GridArea fuoco;
    double tempoInizioRicerca = 0, tempoFineRicerca = 0, tempoFineDisegno = 0, tempoInizioPonte = 0;
    const GridControl* mainGrid = nullptr;
    // A pause of the developer aids: the viewer only waits to be closed, and leaves the main grid, which
    // shows the step, in sight.
    bool pausa = false;
};

// The step viewer: shows one candidate and returns the answer.
class StepViewerPort {
  public:
    virtual ~StepViewerPort() = default;
    virtual ViewerAnswer showCandidate(const StepViewRequest& request) = 0;
};

// Time: a steady clock for durations, and the wall clock's seconds since midnight for shown timings.
class ClockPort {
  public:
    virtual ~ClockPort() = default;
    virtual std::chrono::steady_clock::time_point now() = 0;
    virtual double secondsSinceMidnight() = 0;
};

// The desktop's handling of documents: opens a file with its default viewer; false when it cannot.
class ShellPort {
  public:
    virtual ~ShellPort() = default;
    virtual bool openDocument(const std::string& path) = 0;
};

// The small boxes beside the main window: the picture kept beside the knot file, the diagram's
// properties (both modeless, at most one of each open) and the modal information box.
class BoxPort {
  public:
    virtual ~BoxPort() = default;
    // The picture formats the picture box reads: lower-case file extensions without the dot.
    virtual std::vector<std::string> pictureFormats() const = 0;
    // Opens the picture box on the file; false, and no box, when the file cannot be read as a picture.
    virtual bool showImageBox(const std::string& path, const std::string& caption) = 0;
    virtual void closeImageBox() = 0;
    virtual void showPropertyBox(const std::string& caption, const std::string& gaussCode,
                                 const std::string& indices, const std::string& crossings) = 0;
    virtual void closePropertyBox() = 0;
    // Shown modally: returns when the person closes it.
    virtual void showInfoBox(const std::string& caption, const std::vector<std::string>& lines) = 0;
};

// Everything a main window offers the engine.
class UserInterface : public MessagePort,
                      public FileDialogPort,
                      public StatusPort,
                      public CommandPort,
                      public StopPort,
                      public StepViewerPort,
                      public ClockPort,
                      public ShellPort {};

// Shows the busy pointer for its lifetime; nests, and no exit path can leave the pointer on.
class BusyGuard {
  public:
    explicit BusyGuard(StatusPort& status) : status_(status) { status_.setBusy(true); }
    ~BusyGuard() { status_.setBusy(false); }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

  private:
    StatusPort& status_;
};

}  // namespace trevalon
