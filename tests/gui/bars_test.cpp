#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "editor/CommandStates.h"
#include "editor/CommandTable.h"
#include "frame/MenuModel.h"
#include "frame/ToolBarTables.h"
#include "gui/CommandBars.h"

using namespace rastrix;
using namespace rastrix::gui;

namespace {

struct Frame {
    QWidget window;
    QMenuBar* menuBar = new QMenuBar(&window);
    CommandBars bars{menuBar, &window};
};

QList<QAction*> PopupActions(QMenuBar* bar, int index) { return bar->actions()[index]->menu()->actions(); }

}  // namespace

class BarsTest : public QObject {
    Q_OBJECT
private slots:
    void menuFollowsTheMenuTable() {
        Frame f;
        QStringList top;
        for (QAction* a : f.menuBar->actions()) top << a->text();
        QCOMPARE(top, (QStringList{"&File", "&View", "&Edit", "&Tools", "&Help", "E&xit"}));
        QVERIFY(!f.menuBar->actions()[5]->menu());

        // Each pop-up shows the menu model's items; File: its 22 items, then a separator and
        // Export for Device..., the newer item last.
        for (int m = 0; m < 5; ++m) QCOMPARE(PopupActions(f.menuBar, m).size(), qsizetype(kMainMenu[m].items.size()));

        const QList<QAction*> file = PopupActions(f.menuBar, 0);
        QVERIFY(file[5]->isSeparator());
        QCOMPARE(file[1]->text(), QString("&Open\tCtrl+O"));
        QCOMPARE(file[1], f.bars.MenuAction(CommandId::Open));
        QCOMPARE(file[6]->text(), QString("Recent File &0"));
        QVERIFY(file[22]->isSeparator());
        QCOMPARE(file[23], f.bars.MenuAction(CommandId::ExportForDevice));
        QCOMPARE(file[23]->text(), QString("Export for &Device..."));
        const QList<QAction*> edit = PopupActions(f.menuBar, 2);
        QCOMPARE(edit[1], f.bars.MenuAction(CommandId::Copy));  // Copy before Cut in the menu
        QCOMPARE(edit[2], f.bars.MenuAction(CommandId::Cut));
        QCOMPARE(edit[14]->text(), QString("Rotate 90° clockwise"));
        // The later commands follow the older items, greyed until an image exists.
        QVERIFY(edit[24]->isSeparator());
        QCOMPARE(edit[25], f.bars.MenuAction(CommandId::ScaleImage));
        QCOMPARE(edit[26]->text(), QString("Reduce C&olours..."));
        QVERIFY(!f.bars.MenuAction(CommandId::ReduceColors)->isEnabled());
        QVERIFY(!f.bars.MenuAction(CommandId::Save)->isEnabled());
        QVERIFY(f.bars.MenuAction(CommandId::Open)->isEnabled());
    }

    void noActionHasAShortcut() {
        Frame f;
        CommandStates states;
        states.CreateDrawingToolBar();
        f.bars.ShowStates(states);
        const QList<QAction*> all = f.window.findChildren<QAction*>();
        QVERIFY(all.size() > 100);
        for (QAction* a : all) QVERIFY2(a->shortcut().isEmpty(), qPrintable(a->text()));
    }

    void toolBarsFollowTheButtonTables() {
        Frame f;
        QVERIFY(!f.bars.DrawingToolBar());
        CommandStates states;
        states.CreateDrawingToolBar();
        f.bars.ShowStates(states);
        QVERIFY(f.bars.DrawingToolBar());
        for (auto [bar, table] : {std::pair{f.bars.MainToolBar(), ToolBarButtons(ToolBarKind::Main)},
                                  std::pair{f.bars.DrawingToolBar(), ToolBarButtons(ToolBarKind::Drawing)}}) {
            const QList<QAction*> actions = bar->actions();
            QCOMPARE(actions.size(), qsizetype(table.size()));
            for (int i = 0; i < actions.size(); ++i) {
                const ToolBarButton& b = table[std::size_t(i)];
                QCOMPARE(actions[i]->isSeparator(), b.IsSeparator());
                if (b.IsSeparator()) continue;
                const QString tip = QString::fromUtf8(ToolTipText(b.id).data(), ToolTipText(b.id).size());
                QCOMPARE(actions[i]->toolTip(), tip);
                QVERIFY(!actions[i]->icon().isNull());
                QWidget* button = bar->widgetForAction(actions[i]);
                QCOMPARE(button->accessibleName(), tip);
                QVERIFY(button->focusPolicy() & Qt::TabFocus);
                QCOMPARE(f.bars.ButtonAction(b.id), actions[i]);
            }
        }
        QCOMPARE(f.bars.ButtonAction(CommandId::Open)->toolTip(), QString("Open an existing file"));
        QCOMPARE(f.bars.ButtonAction(CommandId::FillTwoColor)->toolTip(), QString("Fill 2-Color"));

        QSignalSpy changed(&f.bars, &CommandBars::drawingToolBarChanged);
        states.DestroyDrawingToolBar();
        f.bars.ShowStates(states);
        QCOMPARE(changed.size(), 1);
        QVERIFY(!f.bars.DrawingToolBar());
        QVERIFY(!f.bars.ButtonAction(CommandId::Pen));
    }

    void menuItemAndButtonShowTheirOwnStates() {
        Frame f;
        CommandStates states;
        f.bars.ShowStates(states);
        // At start Adjust Selection is greyed in the menu and enabled on the bar.
        QVERIFY(!f.bars.MenuAction(CommandId::AdjustSelection)->isEnabled());
        QVERIFY(f.bars.ButtonAction(CommandId::AdjustSelection)->isEnabled());

        states.EnableMenuItem(CommandId::Save, true);
        f.bars.ShowStates(states);
        QVERIFY(f.bars.MenuAction(CommandId::Save)->isEnabled());
        QVERIFY(!f.bars.ButtonAction(CommandId::Save)->isEnabled());  // still indeterminate
        states.SetButtonState(CommandId::Save, ButtonBits::Enabled);
        f.bars.ShowStates(states);
        QVERIFY(f.bars.ButtonAction(CommandId::Save)->isEnabled());

        states.CheckMenuItem(CommandId::ActualSize, true);
        states.PressButton(CommandId::FitToWindow, true);
        f.bars.ShowStates(states);
        QVERIFY(f.bars.MenuAction(CommandId::ActualSize)->isChecked());
        QVERIFY(!f.bars.ButtonAction(CommandId::ActualSize)->isChecked());
        QVERIFY(f.bars.ButtonAction(CommandId::FitToWindow)->isChecked());
        QVERIFY(!f.bars.MenuAction(CommandId::FitToWindow)->isChecked());
    }

    void clickingAButtonOnlyReportsTheCommand() {
        Frame f;
        CommandStates states;
        states.PressButton(CommandId::FitToWindow, true);
        f.bars.ShowStates(states);
        QSignalSpy chosen(&f.bars, &CommandBars::commandChosen);
        auto* fit = qobject_cast<QToolButton*>(f.bars.MainToolBar()->widgetForAction(f.bars.ButtonAction(CommandId::FitToWindow)));
        QVERIFY(fit);
        fit->click();
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].value<CommandId>(), CommandId::FitToWindow);
        f.bars.ShowStates(states);  // the core still has it pressed
        QVERIFY(fit->isChecked());

        f.bars.MenuAction(CommandId::About)->trigger();
        QCOMPARE(chosen.size(), 2);
        QCOMPARE(chosen[1][0].value<CommandId>(), CommandId::About);
    }

    void recentFileTextsAreShownAsTheyAre() {
        Frame f;
        f.bars.SetPlainMenuText(CommandId::RecentFile2, "/home/me/Tom & Jerry.bmp");
        QCOMPARE(f.bars.MenuAction(CommandId::RecentFile2)->text(), QString("/home/me/Tom && Jerry.bmp"));
        f.bars.SetPlainMenuText(CommandId::RecentFile0, "");
        QCOMPARE(f.bars.MenuAction(CommandId::RecentFile0)->text(), QString());
    }
};

QTEST_MAIN(BarsTest)
#include "bars_test.moc"
