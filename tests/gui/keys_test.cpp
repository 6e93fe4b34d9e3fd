#include <QtTest>

#include "gui/KeyMapping.h"

using namespace rastrix;
using namespace rastrix::gui;

class KeysTest : public QObject {
    Q_OBJECT
private slots:
    void mapsQtKeysToKeyCodes_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("expected");  // -1: no code
        const int none = Qt::NoModifier;
        const int pad = Qt::KeypadModifier;
        QTest::newRow("A") << int(Qt::Key_A) << none << 0x41;
        QTest::newRow("Z with Ctrl") << int(Qt::Key_Z) << int(Qt::ControlModifier) << 0x5A;
        QTest::newRow("O") << int(Qt::Key_O) << none << 0x4F;
        QTest::newRow("0") << int(Qt::Key_0) << none << 0x30;
        QTest::newRow("9") << int(Qt::Key_9) << none << 0x39;
        QTest::newRow("Shift+1 is the 1 key") << int(Qt::Key_Exclam) << int(Qt::ShiftModifier) << 0x31;
        QTest::newRow("Shift+0 is the 0 key") << int(Qt::Key_ParenRight) << int(Qt::ShiftModifier) << 0x30;
        QTest::newRow("F1") << int(Qt::Key_F1) << none << 0x70;
        QTest::newRow("F5") << int(Qt::Key_F5) << none << 0x74;
        QTest::newRow("F9") << int(Qt::Key_F9) << none << 0x78;
        QTest::newRow("F24") << int(Qt::Key_F24) << none << 0x87;
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << none << 0x21;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << none << 0x22;
        QTest::newRow("End") << int(Qt::Key_End) << none << 0x23;
        QTest::newRow("Home") << int(Qt::Key_Home) << none << 0x24;
        QTest::newRow("Left") << int(Qt::Key_Left) << none << 0x25;
        QTest::newRow("Up") << int(Qt::Key_Up) << none << 0x26;
        QTest::newRow("Right") << int(Qt::Key_Right) << none << 0x27;
        QTest::newRow("Down") << int(Qt::Key_Down) << none << 0x28;
        QTest::newRow("keypad Left is Left") << int(Qt::Key_Left) << pad << 0x25;
        QTest::newRow("Space") << int(Qt::Key_Space) << none << 0x20;
        QTest::newRow("Insert") << int(Qt::Key_Insert) << none << 0x2D;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << 0x2E;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << none << 0x1B;
        QTest::newRow("Return") << int(Qt::Key_Return) << none << 0x0D;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << pad << 0x0D;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << none << 0x09;
        QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << 0x09;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << 0x08;
        QTest::newRow("Control") << int(Qt::Key_Control) << int(Qt::ControlModifier) << 0x11;
        QTest::newRow("Alt") << int(Qt::Key_Alt) << int(Qt::AltModifier) << 0x12;
        QTest::newRow("keypad 7") << int(Qt::Key_7) << pad << 0x67;
        QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << pad << 0x6A;
        QTest::newRow("keypad -") << int(Qt::Key_Minus) << pad << 0x6D;
        QTest::newRow("main -") << int(Qt::Key_Minus) << none << 0xBD;
        QTest::newRow("Shift+8 is the 8 key") << int(Qt::Key_Asterisk) << int(Qt::ShiftModifier) << 0x38;
        QTest::newRow("comma") << int(Qt::Key_Comma) << none << 0xBC;
        QTest::newRow("question mark is the slash key") << int(Qt::Key_Question) << int(Qt::ShiftModifier) << 0xBF;
        QTest::newRow("letter beyond ASCII") << int(Qt::Key_Adiaeresis) << none << -1;
        QTest::newRow("volume key") << int(Qt::Key_VolumeUp) << none << -1;
    }
    void mapsQtKeysToKeyCodes() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, expected);
        const std::optional<KeyCode> code = KeyCodeFor(key, Qt::KeyboardModifiers(modifiers));
        if (expected < 0) {
            QVERIFY2(!code, qPrintable(QString("got 0x%1").arg(code.value_or(0), 0, 16)));
        } else {
            QVERIFY(code.has_value());
            QCOMPARE(int(*code), expected);
        }
    }
};

QTEST_GUILESS_MAIN(KeysTest)
#include "keys_test.moc"
