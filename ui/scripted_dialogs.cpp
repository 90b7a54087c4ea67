#include "ui/scripted_dialogs.h"

namespace velmora::ui {

namespace {

std::string KindName(DialogKind kind) {
    switch (kind) {
        case DialogKind::MessageBox:
            return "MessageBox";
        case DialogKind::Beep:
            return "Beep";
        case DialogKind::OpenFileName:
            return "OpenFileName";
        case DialogKind::ChooseFolder:
            return "ChooseFolder";
    }
    return "?";
}

}  // namespace

std::string Describe(const DialogCall& call) {
    std::string text = KindName(call.kind) + "(\"" + call.text + "\"";
    if (call.kind == DialogKind::MessageBox)
        text += ", \"" + call.caption + "\", " + std::to_string(call.flags);
    return text + ")";
}

void ScriptedDialogs::AnswerMessageBox(int result) {
    answers_.push_back({DialogKind::MessageBox, result, std::nullopt});
}

void ScriptedDialogs::AnswerOpenFileName(std::optional<std::string> path) {
    answers_.push_back({DialogKind::OpenFileName, 0, std::move(path)});
}

void ScriptedDialogs::AnswerChooseFolder(std::optional<std::string> folder) {
    answers_.push_back({DialogKind::ChooseFolder, 0, std::move(folder)});
}

std::optional<ScriptedDialogs::Answer> ScriptedDialogs::Take(DialogCall call) {
    calls_.push_back(call);
    if (answers_.empty()) {
        unexpected_.push_back(Describe(call) + " with no answer queued");
        return std::nullopt;
    }
    if (answers_.front().kind != call.kind) {
        unexpected_.push_back(Describe(call) + " while the next answer is for " +
                              KindName(answers_.front().kind));
        return std::nullopt;
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}

int ScriptedDialogs::MessageBox(const std::string& text, const std::string& caption, int flags) {
    const auto answer = Take({DialogKind::MessageBox, text, caption, flags});
    return answer ? answer->result : 0;
}

void ScriptedDialogs::Beep() {
    calls_.push_back({DialogKind::Beep, {}, {}, 0});
}

std::optional<std::string> ScriptedDialogs::OpenFileName(const std::string& initialName) {
    auto answer = Take({DialogKind::OpenFileName, initialName, {}, 0});
    return answer ? answer->path : std::nullopt;
}

std::optional<std::string> ScriptedDialogs::ChooseFolder(const std::string& startFolder) {
    auto answer = Take({DialogKind::ChooseFolder, startFolder, {}, 0});
    return answer ? answer->path : std::nullopt;
}

}  // namespace velmora::ui
