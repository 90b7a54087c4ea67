#include "ui/scripted_dialogs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmora::ui {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(ScriptedDialogs, AnswersInQueueOrderAndRecordsEveryCall) {
    ScriptedDialogs dialogs;
    dialogs.AnswerOpenFileName("/tmp/propostas.xml");
    dialogs.AnswerMessageBox(kIdNo);
    dialogs.AnswerChooseFolder(std::nullopt);

    EXPECT_EQ(dialogs.OpenFileName("/old.xml"), "/tmp/propostas.xml");
    dialogs.Beep();
    EXPECT_EQ(dialogs.MessageBox("Deseja substituir o arquivo?", "Aten\xE7\xE3o!", 36), kIdNo);
    EXPECT_EQ(dialogs.ChooseFolder("/opt/velmora"), std::nullopt);

    EXPECT_THAT(dialogs.Calls(),
                ElementsAre(DialogCall{DialogKind::OpenFileName, "/old.xml", "", 0},
                            DialogCall{DialogKind::Beep, "", "", 0},
                            DialogCall{DialogKind::MessageBox, "Deseja substituir o arquivo?",
                                       "Aten\xE7\xE3o!", 36},
                            DialogCall{DialogKind::ChooseFolder, "/opt/velmora", "", 0}));
    EXPECT_TRUE(dialogs.Unexpected().empty());
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
}

TEST(ScriptedDialogs, ADialogWithNoAnswerQueuedIsReportedAndCancelled) {
    ScriptedDialogs dialogs;
    EXPECT_EQ(dialogs.MessageBox("Dados Salvos !!!", "Aviso", 64), 0);
    EXPECT_EQ(dialogs.OpenFileName(""), std::nullopt);
    EXPECT_THAT(dialogs.Unexpected(),
                ElementsAre(HasSubstr("MessageBox(\"Dados Salvos !!!\", \"Aviso\", 64)"),
                            HasSubstr("OpenFileName")));
    EXPECT_EQ(dialogs.Calls().size(), 2u);
}

TEST(ScriptedDialogs, ADialogOfTheWrongKindIsReportedAndKeepsTheAnswerQueued) {
    ScriptedDialogs dialogs;
    dialogs.AnswerChooseFolder("/tmp");
    EXPECT_EQ(dialogs.MessageBox("Arquivo exportado com sucesso!", "Aviso", 64), 0);
    EXPECT_THAT(dialogs.Unexpected(), ElementsAre(HasSubstr("next answer is for ChooseFolder")));
    EXPECT_EQ(dialogs.PendingAnswers(), 1u);
    EXPECT_EQ(dialogs.ChooseFolder("/opt"), "/tmp");
}

}  // namespace
}  // namespace velmora::ui
