#include "common/TestPaths.h"
#include "editor/frmMain.h"
#include "model/modLists.h"

#include <QAbstractButton>
#include <QDir>
#include <QScrollBar>
#include <QTest>

namespace {

QStringList warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        warnings.append(message);
}

QRect pixels(double left, double top, double width, double height)
{
    return QRect(qRound(left / 15), qRound(top / 15), qRound(width / 15), qRound(height / 15));
}

} // namespace

class tst_frmmain_layout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QDir::setCurrent(sampleEditorDir());
        QCOMPARE(modLists::readElements(QDir::currentPath()), QString());
    }

    void init()
    {
        warnings.clear();
        qInstallMessageHandler(collectWarnings);
    }

    void cleanup()
    {
        qInstallMessageHandler(nullptr);
    }

    void opensAtTheDesignSize()
    {
        frmMain window;
        QCOMPARE(window.Form_Load(), QString());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(window.windowTitle(), QString("A Quandor Editor"));
        QCOMPARE(window.size(), QSize(753, 705));
        QCOMPARE(window.findChild<QWidget*>("picArea")->geometry(), pixels(120, 120, 8880, 8880));
        QCOMPARE(window.findChild<QWidget*>("picTileBox")->geometry(), pixels(9120, 120, 2055, 8880));
        QCOMPARE(window.findChild<QWidget*>("picToolBox")->geometry(), pixels(120, 9120, 11055, 1335));

        const QStringList captions{"&Resize", "Main Level", "Top\nLeft", "Top\nRight", "Bottom\nLeft", "Bottom\nRight",
            "Edit &entity data", "&Save", "&Load"};
        const QStringList names{"cmdResize", "optView0", "optView1", "optView2", "optView3", "optView4", "cmdEntityData", "cmdSave", "cmdLoad"};
        for (int i = 0; i < names.size(); ++i) {
            auto* button = window.findChild<QAbstractButton*>(names[i]);
            QVERIFY2(button, qPrintable(names[i]));
            QCOMPARE(button->text(), captions[i]);
            QVERIFY(button->isVisible());
        }
        QVERIFY(window.findChild<QAbstractButton*>("optView0")->isChecked());
        QVERIFY(!window.findChild<QWidget*>("cmdScrCorner")->isEnabled());
        QVERIFY(!window.findChild<QWidget*>("picTileSet")->isVisible());

        // An 8 by 8 map fits: both map scroll bars are disabled with maximum 0.
        for (const char* name : {"hscArea", "vscArea"}) {
            auto* bar = window.findChild<QScrollBar*>(name);
            QVERIFY(!bar->isEnabled());
            QCOMPARE(bar->maximum(), 0);
            QCOMPARE(bar->singleStep(), 960);
        }
        QVERIFY(!modLists::level.levelChanged);
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    }

    void tabOrder()
    {
        frmMain window;
        QCOMPARE(window.Form_Load(), QString());
        window.show();
        QStringList order;
        QWidget* w = window.findChild<QWidget*>("vscArea");
        for (int i = 0; i < 12; ++i) {
            order.append(w->objectName());
            w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus))
                w = w->nextInFocusChain();
        }
        QCOMPARE(order.mid(0, 12),
            (QStringList{"vscArea", "hscArea", "vscTiles", "vscEntities", "cmdResize", "optView0", "optView1", "optView2", "optView3",
                "optView4", "cmdEntityData", "cmdSave"}));
    }

    void anySizeWithoutWarnings_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("tiny") << QSize(1, 1);
        QTest::newRow("narrower than the margins") << QSize(150, 705);
        QTest::newRow("lower than the margins") << QSize(753, 80);
        QTest::newRow("full screen") << QSize(1920, 1080);
        QTest::newRow("huge") << QSize(4000, 3000);
    }

    void anySizeWithoutWarnings()
    {
        QFETCH(QSize, size);
        frmMain window;
        QCOMPARE(window.Form_Load(), QString());
        window.show();
        window.resize(size);
        QCoreApplication::processEvents();
        window.showMinimized();
        QCoreApplication::processEvents();
        window.showNormal();
        window.resize(753, 705);
        QCoreApplication::processEvents();
        QCOMPARE(window.findChild<QWidget*>("picArea")->geometry(), pixels(120, 120, 8880, 8880));
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    }

    void widerWindowWidensTheMap()
    {
        frmMain window;
        QCOMPARE(window.Form_Load(), QString());
        window.show();
        window.resize(853, 705);
        QCoreApplication::processEvents();
        QCOMPARE(window.findChild<QWidget*>("picArea")->width(), 592 + 100);
        QCOMPARE(window.findChild<QWidget*>("picTileBox")->x(), 608 + 100);
        QCOMPARE(window.findChild<QWidget*>("picTileBox")->width(), 137);
    }
};

QTEST_MAIN(tst_frmmain_layout)
#include "tst_frmmain_layout.moc"
