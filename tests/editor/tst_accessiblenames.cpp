#include "common/EditorSession.h"
#include "common/ModalDriver.h"
#include "editor/ui/MapSurface.h"
#include "model/modLists.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <memory>

namespace {

QAccessibleInterface* accessible(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

QString nameOf(QWidget* widget)
{
    return accessible(widget)->text(QAccessible::Name);
}

QString descriptionOf(QWidget* widget)
{
    return accessible(widget)->text(QAccessible::Description);
}

} // namespace

// What a screen reader finds in every window, asked through QAccessible.
class tst_accessiblenames : public QObject
{
    Q_OBJECT

    std::unique_ptr<EditorSession> session;

    frmMain& window() { return session->window(); }
    template<typename T = QWidget>
    T* child(QWidget* in, const char* name)
    {
        T* found = in->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no %s", name);
        return found;
    }
    void key(Qt::Key pressed, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), pressed, modifiers);
    }

    // Every control of the window, hidden or shown, has a name on one line.
    void everyControlIsNamed(QWidget* in)
    {
        for (QWidget* control : in->findChildren<QWidget*>()) {
            const QString object = control->objectName();
            if (object.isEmpty() || object.startsWith(QLatin1String("qt_")))
                continue; // a part of a control, not one of its own
            const QString name = nameOf(control);
            QVERIFY2(
                !name.trimmed().isEmpty() && !name.contains('\n'), qPrintable(object + QStringLiteral(": ") + name));
        }
    }
    // The label is linked to the box it names.
    void labels(QWidget* box, const QString& label)
    {
        const auto relations = accessible(box)->relations(QAccessible::Label);
        QVERIFY2(std::any_of(relations.begin(), relations.end(),
                     [&](const auto& r) { return r.first->text(QAccessible::Name) == label; }),
            qPrintable(box->objectName()));
    }

private slots:
    void init()
    {
        session = std::make_unique<EditorSession>(TempGame::SampleLevels);
        QCOMPARE(session->error(), QString());
        QVERIFY(QTest::qWaitForWindowActive(&window()));
    }

    void cleanup() { session.reset(); }

    void theMainWindow()
    {
        everyControlIsNamed(&window());
        const Catalogue& catalogue = modLists::catalogue;
        QCOMPARE(nameOf(child(&window(), "optView1")), QString("Top Left"));
        QCOMPARE(nameOf(child(&window(), "optView4")), QString("Bottom Right"));
        QCOMPARE(nameOf(child(&window(), "cmdEntityData")), QString("Edit entity data"));
        QCOMPARE(nameOf(child(&window(), "imgTile3")), catalogue.tileName(3));
        QCOMPARE(descriptionOf(child(&window(), "imgTile3")), catalogue.tile(3).tooltip);
        QCOMPARE(nameOf(child(&window(), "imgEntity2")), catalogue.entityName(2));
        QCOMPARE(descriptionOf(child(&window(), "imgEntity2")), catalogue.entity(2).tip);
        QCOMPARE(descriptionOf(child(&window(), "imgGuy")), QString("Marks where the player starts"));
        QVERIFY(accessible(child(&window(), "imgTile1"))->state().selected);
        QVERIFY(!accessible(child(&window(), "imgTile2"))->state().selected);
    }

    void theDialogs_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::newRow("level chooser") << "cmdLoad";
        QTest::newRow("entity data editor") << "cmdEntityData";
        QTest::newRow("resize dialog") << "cmdResize";
        QTest::newRow("replace dialog") << "actReplace";
    }

    void theDialogs()
    {
        QFETCH(QString, opener);
        ModalDriver driver([&](QWidget* dialog) {
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            everyControlIsNamed(dialog);
            if (opener == "cmdLoad") {
                QCOMPARE(nameOf(child(dialog, "List1")), QString("Levels"));
                QCOMPARE(nameOf(child(dialog, "txtName")), QString("Level name"));
                child<QAbstractButton>(dialog, "cmdCancel")->click();
            } else if (opener == "cmdEntityData") {
                child<QListWidget>(dialog, "lstCurEnt")->setCurrentRow(0);
                QCOMPARE(descriptionOf(child(dialog, "txtData")), QString("'left' or 'right'"));
                child<QAbstractButton>(dialog, "cmdClose")->click();
            } else if (opener == "cmdResize") {
                labels(child(dialog, "txtWidth"), "New width:");
                labels(child(dialog, "txtHeight"), "New height:");
                child<QLineEdit>(dialog, "txtWidth")->setText("10");
                QCOMPARE(nameOf(child(dialog, "cmdResize3")), QString("Bottom right corner"));
                QCOMPARE(descriptionOf(child(dialog, "cmdResize3")),
                    QString("Adds or removes columns and rows at the bottom right corner: the level becomes 2 columns "
                            "wider and as tall."));
                child<QLineEdit>(dialog, "txtWidth")->setText("8");
                child<QAbstractButton>(dialog, "cmdDone")->click();
            } else {
                labels(child(dialog, "cboFrom"), "Replace:");
                labels(child(dialog, "cboTo"), "With:");
                child<QAbstractButton>(dialog, "cmdCancel")->click();
            }
        });
        if (opener.startsWith("act"))
            window().findChild<QAction*>(opener)->trigger();
        else
            child<QAbstractButton>(&window(), qPrintable(opener))->click();
        QVERIFY(driver.ran());
    }

    // Reached by Tab, the map has its cursor's cell as its focused part,
    // named by its layer, its place and what it holds, after each move and
    // each edit there. A focused palette has the kind its keys select. (The
    // events that tell a screen reader of each change need a platform's
    // accessibility bridge, which the test platform has not.)
    void theCursorAndThePalettesTellWhatHasTheFocus()
    {
        QVERIFY(levelops::appendEntity(modLists::level, {1, 1, 0, 2}));
        QTest::mouseClick(child(&window(), "optView1"), Qt::LeftButton, {}, QPoint(5, 5));
        QAccessibleInterface* map = accessible(child(&window(), "picInner"));
        QCOMPARE(map->text(QAccessible::Name), QString("Map"));
        child(&window(), "cmdLoad")->setFocus();
        key(Qt::Key_Tab);
        QVERIFY(map->focusChild() && map->focusChild()->state().focused);
        QCOMPARE(map->focusChild()->role(), QAccessible::Cell);
        QCOMPARE(map->focusChild()->text(QAccessible::Name),
            QString("Top Left, column 0, row 0: no tile of its own; the main level shows through: floor, and the "
                    "player start"));
        key(Qt::Key_Right);
        const QString box = modLists::catalogue.entityName(2);
        QCOMPARE(map->focusChild()->text(QAccessible::Name),
            "Top Left, column 1, row 0: no tile of its own; the main level shows through: floor; on this screen, with "
                + box);
        key(Qt::Key_Space);
        QCOMPARE(map->focusChild()->text(QAccessible::Name), "Top Left, column 1, row 0: wall, with " + box);

        key(Qt::Key_Tab); // the player palette
        key(Qt::Key_Tab); // the tile palette, on the selected kind
        QAccessibleInterface* tiles = accessible(QApplication::focusWidget());
        QCOMPARE(tiles->text(QAccessible::Name), QString("Tile palette"));
        QCOMPARE(tiles->focusChild()->text(QAccessible::Name), modLists::catalogue.tileName(1));
        key(Qt::Key_Down);
        QCOMPARE(tiles->focusChild()->text(QAccessible::Name), modLists::catalogue.tileName(3));
        QVERIFY(tiles->focusChild()->state().selected && tiles->focusChild()->state().focused);
        QVERIFY(!accessible(child(&window(), "imgTile1"))->state().selected);
        QVERIFY(!map->focusChild());
    }
};

QTEST_MAIN(tst_accessiblenames)
#include "tst_accessiblenames.moc"
