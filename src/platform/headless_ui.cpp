#include "platform/headless_ui.h"

#include <ctime>

namespace trevalon {

std::string HeadlessUiBase::panel(const std::string& key) const {
    auto it = panels_.find(key);
    return it == panels_.end() ? std::string{} : it->second;
}

bool HeadlessUiBase::commandEnabled(const std::string& key) const {
    auto it = enabled_.find(key);
    return it != enabled_.end() && it->second;
}

double HeadlessUiBase::secondsSinceMidnight() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const auto sinceEpoch = std::chrono::duration<double>(now.time_since_epoch()).count();
    const double fraction = sinceEpoch - static_cast<double>(static_cast<long long>(sinceEpoch));
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

void ScriptedUi::showMessage(const std::string& text) {
    calls.push_back("message: " + text);
    messages.push_back(text);
}

bool ScriptedUi::askYesNo(const std::string& text) {
    calls.push_back("yesno: " + text);
    if (yesNoAnswers.empty()) return false;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedUi::askInput(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) {
    calls.push_back("input: " + title + ": " + prompt + " [" + defaultText + "]");
    if (inputAnswers.empty()) return std::nullopt;
    auto answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

std::string ScriptedUi::openFileName(const std::string& folder, const std::vector<FileFilter>& filters) {
    calls.push_back("open: " + folder);
    lastFilters = filters;
    if (openAnswers.empty()) return {};
    std::string answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

std::string ScriptedUi::saveFileName(const std::string& folder, const std::string& proposedName,
                                     const std::vector<FileFilter>& filters) {
    calls.push_back("save: " + folder + " [" + proposedName + "]");
    lastSaveProposal = proposedName;
    lastFilters = filters;
    if (saveAnswers.empty()) return {};
    std::string answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

void ScriptedUi::yieldToEvents() {
    ++yields;
    if (onYield) onYield();
}

ViewerAnswer ScriptedUi::showCandidate(const StepViewRequest& request) {
    calls.push_back("viewer: " + std::string(text(request.tipoMossa)) + " " + request.message);
    viewerRequests.push_back(request);
    if (viewerAnswers.empty()) return ViewerAnswer::Int;
    const ViewerAnswer answer = viewerAnswers.front();
    viewerAnswers.pop_front();
    return answer;
}

bool ScriptedUi::openDocument(const std::string& path) {
    calls.push_back("document: " + path);
    return documentOpens;
}

}  // namespace trevalon
