#include "ui/qt_dialogs.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <stdexcept>

#include "tests/ui/qt_app.h"

namespace velmora::ui {
namespace {

struct BoxCase {
    const char* name;
    int flags;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
};

class MessageBoxFlagsTest : public ::testing::TestWithParam<BoxCase> {
protected:
    void SetUp() override { test::TestApplication(); }
};

TEST_P(MessageBoxFlagsTest, FlagsChooseIconAndButtons) {
    const auto box =
        MakeMessageBox("Deseja substituir o arquivo?", "Aten\xE7\xE3o!", GetParam().flags);
    EXPECT_EQ(box->icon(), GetParam().icon);
    EXPECT_EQ(box->standardButtons(), GetParam().buttons);
    EXPECT_EQ(box->standardButton(box->defaultButton()), GetParam().defaultButton);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Atenção!"));
    EXPECT_EQ(box->text(), QStringLiteral("Deseja substituir o arquivo?"));
}

using B = QMessageBox::StandardButton;
INSTANTIATE_TEST_SUITE_P(
    Flags, MessageBoxFlagsTest,
    ::testing::Values(BoxCase{"Error", 16, QMessageBox::Critical, B::Ok, B::Ok},
                      BoxCase{"Question", 36, QMessageBox::Question, B::Yes | B::No, B::Yes},
                      BoxCase{"Warning", 48, QMessageBox::Warning, B::Ok, B::Ok},
                      BoxCase{"Information", 64, QMessageBox::Information, B::Ok, B::Ok},
                      BoxCase{"ConfirmOkCancel", 1, QMessageBox::NoIcon, B::Ok | B::Cancel, B::Ok}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageBoxFlags, FlagsOutsideTheContractAreRefused) {
    test::TestApplication();
    for (int flags : {2, 3, 5, 80, 16 | 256})
        EXPECT_THROW(MakeMessageBox("x", "y", flags), std::invalid_argument) << flags;
}

// Runs answer on the modal dialog that the next call shows, once the dialog's loop runs.
template <class Dialog>
void OnTheNextDialog(std::function<void(Dialog&)> answer) {
    QTimer::singleShot(0, [answer = std::move(answer)] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

struct AnswerCase {
    int flags;
    QMessageBox::StandardButton pressed;
    int result;
};

class MessageBoxAnswerTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(MessageBoxAnswerTest, ThePressedButtonIsTheAnswer) {
    test::TestApplication();
    OnTheNextDialog<QMessageBox>(
        [button = GetParam().pressed](QMessageBox& box) { box.button(button)->click(); });
    QtDialogs dialogs;
    EXPECT_EQ(
        dialogs.MessageBox("Deseja substituir o arquivo?", "Aten\xE7\xE3o!", GetParam().flags),
        GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Buttons, MessageBoxAnswerTest,
                         ::testing::Values(AnswerCase{36, B::Yes, 6}, AnswerCase{36, B::No, 7},
                                           AnswerCase{16, B::Ok, 1}, AnswerCase{1, B::Cancel, 2}));

class OpenFileNameTest : public ::testing::Test {
protected:
    void SetUp() override { test::TestApplication(); }

    QTemporaryDir folder;
    // A file that does not exist yet, with a non-ASCII name: the dialog must not demand it.
    const std::string previous = folder.path().toStdString() + "/Preg\xC3\xA3o 12.xml";
};

TEST_F(OpenFileNameTest, StartsWithThePreviousNameAndReturnsTheChosenPath) {
    OnTheNextDialog<QFileDialog>([](QDialog& dialog) { dialog.accept(); });
    EXPECT_EQ(QtDialogs().OpenFileName(previous), previous);
}

TEST_F(OpenFileNameTest, CancelReturnsNothing) {
    OnTheNextDialog<QFileDialog>([](QDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(QtDialogs().OpenFileName(previous), std::nullopt);
}

}  // namespace
}  // namespace velmora::ui
