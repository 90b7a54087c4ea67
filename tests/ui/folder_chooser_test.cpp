#include "ui/folder_chooser.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include "tests/ui/qt_app.h"
#include "ui/scripted_dialogs.h"

namespace velmora::ui {
namespace {

class FolderChooserTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(start.isValid()); }

    // Types name into the chooser and presses OK.
    bool TypeAndAccept(const QString& name) {
        chooser.selectFile(name);
        chooser.accept();
        return chooser.result() == QDialog::Accepted;
    }

    QString InStart(const QString& name) const { return QDir(start.path()).filePath(name); }

    const DialogCall kCreateQuestion{DialogKind::MessageBox,
                                     "The specified directory does not exist. Create it?",
                                     "Confirm", 36};
    QApplication& application = test::TestApplication();  // before any widget
    QTemporaryDir start;
    ScriptedDialogs questions;
    FolderChooser chooser{questions, start.path()};
};

TEST_F(FolderChooserTest, AnExistingFolderIsTakenWithoutQuestion) {
    ASSERT_TRUE(QDir(start.path()).mkdir("Exportados"));
    EXPECT_TRUE(TypeAndAccept("Exportados"));
    EXPECT_EQ(chooser.ChosenFolder(), InStart("Exportados"));
    EXPECT_TRUE(questions.Calls().empty());
}

TEST_F(FolderChooserTest, AMissingFolderAcceptedWithYesIsCreatedWithItsParents) {
    questions.AnswerMessageBox(kIdYes);
    EXPECT_TRUE(TypeAndAccept("Preg\u00e3o/2024"));
    EXPECT_EQ(chooser.ChosenFolder(), InStart("Preg\u00e3o/2024"));
    EXPECT_TRUE(QFileInfo(InStart("Preg\u00e3o/2024")).isDir());
    EXPECT_EQ(questions.Calls(), std::vector<DialogCall>{kCreateQuestion});
    EXPECT_TRUE(questions.Unexpected().empty());
}

TEST_F(FolderChooserTest, NoKeepsTheChooserOpenAndCreatesNothing) {
    questions.AnswerMessageBox(kIdNo);
    EXPECT_FALSE(TypeAndAccept("novo"));
    EXPECT_FALSE(QFileInfo::exists(InStart("novo")));
    EXPECT_EQ(questions.Calls(), std::vector<DialogCall>{kCreateQuestion});
}

TEST_F(FolderChooserTest, AFolderWhoseCreationFailedIsStillTheAnswer) {
    ASSERT_TRUE(QFile(InStart("arquivo")).open(QIODevice::WriteOnly));
    questions.AnswerMessageBox(kIdYes);
    EXPECT_TRUE(TypeAndAccept("arquivo/sub"));
    EXPECT_EQ(chooser.ChosenFolder(), InStart("arquivo/sub"));
    EXPECT_FALSE(QFileInfo::exists(InStart("arquivo/sub")));
}

}  // namespace
}  // namespace velmora::ui
