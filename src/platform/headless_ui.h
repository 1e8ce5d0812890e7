#pragma once
// Implementations of the user interface with no window: the automatic one (no person, default answers,
// nothing shown) used by complete runs and the look-ahead instance, and a scripted one for tests.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace trevalon {

// Keeps what a window would show (panels, caption, enabled commands) so that callers can read it back.
class HeadlessUiBase : public UserInterface {
  public:
    void setPanel(const std::string& key, const std::string& text) override { panels_[key] = text; }
    std::string panel(const std::string& key) const override;
    void setBusy(bool busy) override { busyDepth_ += busy ? 1 : (busyDepth_ > 0 ? -1 : 0); }
    bool busy() const { return busyDepth_ > 0; }

    void setCommandEnabled(const std::string& key, bool enabled) override { enabled_[key] = enabled; }
    bool commandEnabled(const std::string& key) const override;
    void setToolbarEnabled(bool enabled) override { toolbarEnabled_ = enabled; }
    bool toolbarEnabled() const { return toolbarEnabled_; }
    void setCaption(const std::string& text) override { caption_ = text; }
    std::string caption() const override { return caption_; }

    void showStopFrame(const std::string& text) override {
        stopFrameText_ = text;
        stopFrameShown_ = true;
    }
    void hideStopFrame() override { stopFrameShown_ = false; }
    bool stopFrameShown() const { return stopFrameShown_; }
    const std::string& stopFrameText() const { return stopFrameText_; }

    std::chrono::steady_clock::time_point now() override { return std::chrono::steady_clock::now(); }
    double secondsSinceMidnight() override;

  private:
    std::map<std::string, std::string> panels_;
    std::map<std::string, bool> enabled_;
    std::string caption_;
    std::string stopFrameText_;
    bool stopFrameShown_ = false;
    bool toolbarEnabled_ = true;
    int busyDepth_ = 0;
};

// No person: messages are dropped, questions get No, dialogs are cancelled, the viewer takes the candidate.
class AutomaticUi : public HeadlessUiBase {
  public:
    void showMessage(const std::string&) override {}
    bool askYesNo(const std::string&) override { return false; }
    std::optional<std::string> askInput(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::string openFileName(const std::string&, const std::vector<FileFilter>&) override { return {}; }
    std::string saveFileName(const std::string&, const std::string&,
                             const std::vector<FileFilter>&) override {
        return {};
    }
    void yieldToEvents() override {}
    ViewerAnswer showCandidate(const StepViewRequest&) override { return ViewerAnswer::Sel; }
    bool openDocument(const std::string&) override { return false; }
};

// For tests: answers come from queues (an empty queue gives the automatic default, except the viewer's,
// which gives "Int" so that a search never runs on unscripted), every call is recorded as
// one line ("message: ...", "yesno: ...", "input: ...", "open: ...", "save: ...", "viewer: ...",
// "document: ...").
class ScriptedUi : public HeadlessUiBase {
  public:
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> inputAnswers;
    std::deque<std::string> openAnswers;
    std::deque<std::string> saveAnswers;
    std::deque<ViewerAnswer> viewerAnswers;
    // Called at every yield, e.g. to press "Cancel" after a number of passes.
    std::function<void()> onYield;

    std::vector<std::string> calls;
    std::vector<std::string> messages;
    std::vector<StepViewRequest> viewerRequests;
    int yields = 0;
    std::string lastSaveProposal;
    std::vector<FileFilter> lastFilters;
    // What openDocument answers (the desktop opened the file or not).
    bool documentOpens = true;

    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    std::optional<std::string> askInput(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    std::string openFileName(const std::string& folder, const std::vector<FileFilter>& filters) override;
    std::string saveFileName(const std::string& folder, const std::string& proposedName,
                             const std::vector<FileFilter>& filters) override;
    void yieldToEvents() override;
    ViewerAnswer showCandidate(const StepViewRequest& request) override;
    bool openDocument(const std::string& path) override;
};

}  // namespace trevalon
