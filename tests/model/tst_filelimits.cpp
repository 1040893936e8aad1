// Whole files read and written: only regular files, only up to a cap, and
// every failure with the system's reason.
#include "common/HostileFiles.h"
#include "model/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <memory>

class tst_filelimits : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    void readsOnlyRegularFilesUpToTheCap_data()
    {
        QTest::addColumn<QString>("kind"); // what stands at the path
        QTest::addColumn<QString>("problem"); // empty: read whole
        QTest::newRow("file at the cap") << "10 bytes"
                                         << "";
        QTest::newRow("empty file") << "0 bytes"
                                    << "";
        QTest::newRow("one byte over") << "11 bytes"
                                       << "is larger than 10 bytes";
        QTest::newRow("missing") << "none"
                                 << "was not found";
        QTest::newRow("folder") << "folder"
                                << "is a folder, not a file";
        QTest::newRow("named pipe") << "fifo"
                                    << "is not a regular file";
        QTest::newRow("link to an endless device") << "/dev/zero"
                                                   << "is not a regular file";
        QTest::newRow("link to a file") << "link"
                                        << "";
    }

    void readsOnlyRegularFilesUpToTheCap()
    {
        QFETCH(QString, kind);
        const QString at = path(QTest::currentDataTag());
        std::unique_ptr<hostile::FifoHolder> holder;
        if (kind.endsWith("bytes")) {
            QFile file(at);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(kind.section(' ', 0, 0).toInt()));
        } else if (kind == "folder")
            QVERIFY(QDir().mkdir(at));
        else if (kind == "fifo") {
            if (!hostile::makeFifo(at))
                QSKIP("no named pipes here");
            holder = std::make_unique<hostile::FifoHolder>(at);
        } else if (kind == "link") {
            QFile(path("target")).open(QIODevice::WriteOnly);
            if (!hostile::makeLink(at, path("target")))
                QSKIP("no symbolic links here");
        } else if (kind.startsWith('/') && !hostile::makeLink(at, kind))
            QSKIP("no such device here");

        QByteArray bytes("before");
        const Result read = readWholeFile(at, 10, bytes);
        QTEST(read.message(), "problem");
        QCOMPARE(bytes, read ? QByteArray(kind.section(' ', 0, 0).toInt(), '\0') : QByteArray("before"));
        QCOMPARE(checkWholeFile(at, 10).message(), read.message());
    }

    void largeCapsTakeMegabytes()
    {
        QFile file(path("big"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(filecaps::catalogue + 1)); // sparse: no disk used
        QByteArray bytes;
        QCOMPARE(readWholeFile(file.fileName(), filecaps::catalogue, bytes).message(), QString("is larger than 4 MB"));
    }

    void writesReplaceOnlyRegularFiles()
    {
        const QString fifo = path("out.pipe");
        if (!hostile::makeFifo(fifo))
            QSKIP("no named pipes here");
        QCOMPARE(writeWholeFile(fifo, QByteArray("level")).message(), QString("it is not a regular file"));
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
        QVERIFY(writeWholeFile(path("new.txt"), QByteArray("level")));
        QCOMPARE(QFileInfo(path("new.txt")).size(), 5);
    }

    void writeFailuresNameTheSystemsReason()
    {
        QFile full(QStringLiteral("/dev/full"));
        if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            QSKIP("no /dev/full here");
        QCOMPARE(writeAll(full, QByteArray(100000, 'x')).message(), qt_error_string(ENOSPC));
    }

    void replacingAFileWhoseNameLeavesNoRoomForTheNewOne()
    {
        // 250 characters: the file fits, its replacement's longer name may not.
        const QString name = path(QString(246, u'n') + ".txt");
        QFile old(name);
        if (!old.open(QIODevice::WriteOnly))
            QSKIP("the file system takes no name this long");
        old.close();
        const Result written = writeWholeFile(name, QByteArray("level"));
        if (written)
            QSKIP("the file system takes the longer name as well");
        QVERIFY2(
            !written.message().isEmpty() && written.message() != QFile().errorString(), qPrintable(written.message()));
    }
};

QTEST_GUILESS_MAIN(tst_filelimits)
#include "tst_filelimits.moc"
