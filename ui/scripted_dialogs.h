#pragma once
// Dialogs for tests: answers are queued in the order the dialogs will appear, every call is
// recorded. A dialog with no answer queued for it, or whose next answer is for another kind of
// dialog, is recorded in Unexpected() (tests assert it stays empty) and answered as cancelled.

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ui/dialogs.h"

namespace velmora::ui {

enum class DialogKind { MessageBox, Beep, OpenFileName, ChooseFolder };

struct DialogCall {
    DialogKind kind;
    std::string text;     // message text, or the initial file name or start folder
    std::string caption;  // message boxes only
    int flags = 0;        // message boxes only
    bool operator==(const DialogCall&) const = default;
};

// "MessageBox("text", "caption", 16)": for failure messages.
std::string Describe(const DialogCall& call);
inline void PrintTo(const DialogCall& call, std::ostream* out) {
    *out << Describe(call);
}

class ScriptedDialogs : public Dialogs {
public:
    void AnswerMessageBox(int result);
    void AnswerOpenFileName(std::optional<std::string> path);
    void AnswerChooseFolder(std::optional<std::string> folder);

    const std::vector<DialogCall>& Calls() const { return calls_; }
    const std::vector<std::string>& Unexpected() const { return unexpected_; }
    std::size_t PendingAnswers() const { return answers_.size(); }

    // Unanswered message boxes return 0; a beep needs no answer.
    int MessageBox(const std::string& text, const std::string& caption, int flags) override;
    void Beep() override;
    std::optional<std::string> OpenFileName(const std::string& initialName) override;
    std::optional<std::string> ChooseFolder(const std::string& startFolder) override;

private:
    struct Answer {
        DialogKind kind;
        int result = 0;
        std::optional<std::string> path;
    };

    // Records the call; returns its answer, or nothing when the call was unexpected.
    std::optional<Answer> Take(DialogCall call);

    std::deque<Answer> answers_;
    std::vector<DialogCall> calls_;
    std::vector<std::string> unexpected_;
};

}  // namespace velmora::ui
