#include "ui/event_guard.h"

#include <gtest/gtest.h>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <optional>
#include <stdexcept>

#include "platform/app_title.h"
#include "platform/codepage.h"
#include "platform/errors.h"
#include "tests/ui/qt_app.h"
#include "ui/scripted_dialogs.h"

namespace velmora::ui {
namespace {

struct GuardCase {
    const char* name;
    std::function<void()> handler;
    bool fails;
    std::optional<std::string> boxText;  // the error box's text; none: no box at all
};

void PrintTo(const GuardCase& guardCase, std::ostream* out) {
    *out << guardCase.name;
}

class EventGuardTest : public ::testing::TestWithParam<GuardCase> {
protected:
    void SetUp() override {
        test::TestApplication();
        if (GetParam().boxText) dialogs.AnswerMessageBox(kIdOk);
    }

    void ExpectShownAsTheCaseSays() const {
        ASSERT_EQ(dialogs.Unexpected(), std::vector<std::string>{});
        std::vector<DialogCall> expected;
        if (GetParam().boxText)
            expected.push_back(
                {DialogKind::MessageBox, *GetParam().boxText, platform::AppTitle(), 16});
        EXPECT_EQ(dialogs.Calls(), expected);
    }

    ScriptedDialogs dialogs;
    ScopedDialogs installed{dialogs};
};

TEST_P(EventGuardTest, ButtonClickShowsTheErrorOnceAndNothingReachesQt) {
    QPushButton button("OK");
    ConnectGuarded(&button, GetParam().handler);
    bool clickFinished = false;
    QObject::connect(&button, &QPushButton::clicked, [&] { clickFinished = true; });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(clickFinished);
    ExpectShownAsTheCaseSays();
}

TEST_P(EventGuardTest, StartUpShowsTheErrorAndEndsWithCode1) {
    const int exitCode = RunStartUp([&] {
        GetParam().handler();
        return 0;
    });
    EXPECT_EQ(exitCode, GetParam().fails ? 1 : 0);
    ExpectShownAsTheCaseSays();
}

TEST_P(EventGuardTest, GuardedTellsWhetherTheActionFailed) {
    EXPECT_EQ(Guarded(GetParam().handler), !GetParam().fails);
    ExpectShownAsTheCaseSays();
}

INSTANTIATE_TEST_SUITE_P(
    Errors, EventGuardTest,
    ::testing::Values(
        GuardCase{"NoError", [] {}, false, std::nullopt},
        GuardCase{"AbortShowsNothing", [] { throw EAbort(); }, true, std::nullopt},
        GuardCase{"MessageEndingInALetterGetsAPeriod",
                  [] { throw EDatabaseError("CDSDigitacao: Field 'marca' not found"); }, true,
                  "CDSDigitacao: Field 'marca' not found."},
        GuardCase{"MessageEndingInAQuoteStaysAsIs",
                  [] { throw EConvertError("'12,3x' is not a valid '\xE7'"); }, true,
                  "'12,3x' is not a valid '\xE7'"},
        GuardCase{"StoreErrorWithoutMessageNamesItsCode", [] { throw EStoreError(9729); }, true,
                  platform::FromUtf8("Erro interno do banco de dados (código 9729).")},
        GuardCase{"StandardException", [] { throw std::runtime_error("disk full"); }, true,
                  "disk full."},
        GuardCase{"AnythingElseThrown", [] { throw 42; }, true, "Unknown error."}),
    [](const auto& info) { return std::string(info.param.name); });

// The error box itself failing must not let the error escape either.
class ThrowingDialogs : public ScriptedDialogs {
public:
    int MessageBox(const std::string&, const std::string&, int) override {
        throw std::runtime_error("no display");
    }
};

TEST(EventGuard, AFailingErrorBoxDoesNotEscape) {
    ThrowingDialogs dialogs;
    ScopedDialogs installed(dialogs);
    EXPECT_FALSE(Guarded([] { throw EDatabaseError("x"); }));
}

}  // namespace
}  // namespace velmora::ui
