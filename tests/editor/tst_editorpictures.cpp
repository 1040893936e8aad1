#include "editor/EditorPictures.h"
#include "model/Catalogue.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

Catalogue catalogueWith(int tileKinds)
{
    Catalogue c;
    c.tileDefLast = static_cast<qint16>(tileKinds - 1);
    c.tileDefs.resize(static_cast<size_t>(tileKinds));
    c.entityDefLast = 0;
    c.entityDefs = {{"box", "box_and.bmp", "box_or.bmp", "", ""}};
    return c;
}

// A sheet whose every pixel tells where it lies, so a cut shows its origin.
QImage coordinateSheet(int width, int height)
{
    QImage sheet(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            sheet.setPixel(x, y, qRgb(x, y, 7));
    return sheet;
}

// Writes the pictures a game folder needs; Qt cannot write GIF, but the
// reader finds a PNG by its content whatever the file is called.
void writeGame(const QString& folder, const QImage& sheet)
{
    QImage small(28, 28, QImage::Format_RGB32);
    small.fill(Qt::gray);
    QVERIFY(small.save(QDir(folder).filePath("player.bmp"), "BMP"));
    QVERIFY(small.save(QDir(folder).filePath("box_and.bmp"), "BMP"));
    QVERIFY(small.save(QDir(folder).filePath("box_or.bmp"), "BMP"));
    QVERIFY(sheet.save(QDir(folder).filePath("tiles.gif"), "PNG"));
}

} // namespace

class tst_editorpictures : public QObject
{
    Q_OBJECT
private slots:
    void tilesPerRow_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("perRow");
        QTest::newRow("16: a half rounds to 0") << 16 << 0;
        QTest::newRow("17") << 17 << 1;
        QTest::newRow("48: 1.5 rounds to even 2") << 48 << 2;
        QTest::newRow("80: 2.5 rounds to even 2") << 80 << 2;
        QTest::newRow("96") << 96 << 3;
        QTest::newRow("320") << 320 << 10;
    }

    void tilesPerRow()
    {
        QFETCH(int, width);
        QFETCH(int, perRow);
        QCOMPARE(editorpictures::tilesPerRow(width), perRow);
    }

    void cutsTheTopLeftOfEachBlockFromAWideSheet()
    {
        QTemporaryDir dir;
        const QImage sheet = coordinateSheet(320, 64);
        writeGame(dir.path(), sheet);
        EditorPictures pictures;
        QCOMPARE(loadEditorPictures(dir.path(), catalogueWith(30), pictures), QString());
        QCOMPARE(int(pictures.tiles.size()), 30);

        // Kind 12 of a 10-wide sheet is the block at pixel (64, 32).
        const QImage& tile = pictures.tiles[12];
        QCOMPARE(tile.size(), QSize(28, 28));
        QCOMPARE(tile, sheet.copy(64, 32, 28, 28).convertToFormat(QImage::Format_RGB32));
        // Kind 25 lies below the sheet: white.
        QCOMPARE(pictures.tiles[25].pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(pictures.player.format(), QImage::Format_RGB32);
    }

    void partOfABlockBeyondTheSheetIsWhite()
    {
        // 48 pixels give two per row; the second block has only 16 columns.
        const QImage tile = editorpictures::cutTile(coordinateSheet(48, 32), 1, 2);
        QCOMPARE(tile.pixel(15, 3), qRgb(47, 3, 7));
        QCOMPARE(tile.pixel(16, 3), qRgb(255, 255, 255));
    }

    void badFilesNameTheFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("contents"); // empty: the file is removed
        QTest::addColumn<QString>("message");
        QTest::newRow("no player") << "player.bmp" << QByteArray() << "\"player.bmp\" is missing";
        QTest::newRow("broken sheet") << "tiles.gif" << QByteArray("GIF89a garbage") << "\"tiles.gif\" cannot be read";
        QTest::newRow("no second picture") << "box_or.bmp" << QByteArray() << "\"box_or.bmp\" is missing";
    }

    void badFilesNameTheFile()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        QTemporaryDir dir;
        writeGame(dir.path(), coordinateSheet(128, 128));
        const QString path = QDir(dir.path()).filePath(file);
        QFile::remove(path);
        if (!contents.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(contents);
        }
        EditorPictures pictures;
        const QString error = loadEditorPictures(dir.path(), catalogueWith(2), pictures);
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY(pictures.tiles.empty());
    }

    void aSheetOf16PixelsIsRefused()
    {
        QTemporaryDir dir;
        writeGame(dir.path(), coordinateSheet(16, 64));
        EditorPictures pictures;
        const QString error = loadEditorPictures(dir.path(), catalogueWith(2), pictures);
        QVERIFY2(error.contains("\"tiles.gif\"") && error.contains("16 pixels"), qPrintable(error));
    }
};

QTEST_MAIN(tst_editorpictures)
#include "tst_editorpictures.moc"
