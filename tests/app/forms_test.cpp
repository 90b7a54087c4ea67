#include <gtest/gtest.h>
#include <QApplication>
#include <QScreen>

#include "app/start_up.h"
#include "tests/ui/qt_app.h"

namespace velmora::app {
namespace {

class FormsTest : public ::testing::Test {
protected:
    QApplication& application = test::TestApplication();
    StartUpForms forms = CreateForms();
};

TEST_F(FormsTest, MainWindowIsATopLevelWindowWithoutMaximizeButton) {
    const TFormVelmora& main = *forms.FormVelmora;
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Velmora "));
    EXPECT_EQ(main.size(), QSize(883, 547));
    EXPECT_TRUE(main.isWindow());
    EXPECT_EQ(main.parentWidget(), nullptr);  // its own task-bar button
    const Qt::WindowFlags flags = main.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_NE(main.minimumSize(), main.maximumSize());  // resizable
    EXPECT_EQ(main.font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(main.font().pointSize(), 8);
}

TEST_F(FormsTest, AllFormsAreCreatedHiddenAndEmpty) {
    EXPECT_FALSE(forms.FormVelmora->isVisible());
    EXPECT_FALSE(forms.FormRelatorio->isVisible());
    EXPECT_FALSE(forms.FormSelRelatorio->isVisible());
    EXPECT_TRUE(forms.FormVelmora->FBusca.empty());
    EXPECT_TRUE(forms.FormSelRelatorio->tipo.empty());
}

TEST_F(FormsTest, ReportSelectionDialogIsFixedCentredAndHasNoCloseBox) {
    TFormSelRelatorio& dialog = *forms.FormSelRelatorio;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Relatório da Velmora"));
    EXPECT_EQ(dialog.minimumSize(), QSize(318, 126));
    EXPECT_EQ(dialog.maximumSize(), QSize(318, 126));
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowSystemMenuHint));
    const QPoint screenCentre = dialog.screen()->availableGeometry().center();
    EXPECT_LE((dialog.frameGeometry().center() - screenCentre).manhattanLength(), 2);
}

// Posted events run in order, so the check runs after the main window's close was handled.
TEST_F(FormsTest, ClosingTheMainWindowEndsTheEventLoopWhateverElseIsShown) {
    bool loopAskedToEnd = false;
    QObject listener;
    QObject::connect(&application, &QGuiApplication::lastWindowClosed, &listener,
                     [&] { loopAskedToEnd = true; });
    forms.FormVelmora->show();
    forms.FormRelatorio->show();
    forms.FormSelRelatorio->show();
    QMetaObject::invokeMethod(forms.FormVelmora.get(), &QWidget::close, Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        &application, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    QApplication::exec();
    EXPECT_TRUE(loopAskedToEnd);
}

}  // namespace
}  // namespace velmora::app
