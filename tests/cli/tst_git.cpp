// The level diff and merge drivers wired into the real git with the lines
// docs/command-line.md gives, in a repository of the sample game.
#include "common/TempGame.h"
#include "leveldiff/LevelDiff.h"
#include "levelfile/LevelFileLoad.h"
#include "levelfile/LevelWriter.h"
#include "model/modLists.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

struct Git
{
    int status = -1;
    QString output; // standard output, then standard error
};

class Repository : public TempGame
{
public:
    Repository()
        : TempGame(SampleLevels)
    {
        // Nothing of the user's own git set-up may take part.
        m_environment.remove(QStringLiteral("GIT_DIR"));
        m_environment.remove(QStringLiteral("GIT_WORK_TREE"));
        m_environment.remove(QStringLiteral("GIT_INDEX_FILE"));
        m_environment.insert(QStringLiteral("GIT_CONFIG_NOSYSTEM"), QStringLiteral("1"));
        m_environment.insert(QStringLiteral("GIT_CONFIG_GLOBAL"), root() + QStringLiteral("/.git-global"));
        writeFile(root() + QStringLiteral("/.git-global"), "");
        writeFile(root() + QStringLiteral("/.gitattributes"),
            "levels/*.txt diff=tilewright merge=tilewright\n"
            "levels/index.txt !diff !merge\n");
        const QString cli = QStringLiteral("'" TILEWRIGHT_CLI "'");
        for (const QStringList& command : {QStringList{"init", "-q", "-b", "main"}, {"config", "user.name", "Designer"},
                 {"config", "user.email", "designer@example.org"}, {"config", "commit.gpgsign", "false"},
                 {"config", "diff.tilewright.command", cli + " diff -C editor"},
                 {"config", "merge.tilewright.name", "Tilewright level merge"},
                 {"config", "merge.tilewright.driver", cli + " merge -C editor --label %P %O %A %B -o %A"},
                 {"add", "-A"}, {"commit", "-q", "-m", "The sample game"}})
            m_ready = m_ready && run(command).status == 0;
        m_ready = m_ready && modLists::readElements(editorDir()).ok();
    }

    bool isReady() const { return m_ready; }
    QString root() const { return QDir::cleanPath(editorDir() + QStringLiteral("/..")); }

    Git run(const QStringList& arguments) const
    {
        QProcess git;
        git.setWorkingDirectory(root());
        git.setProcessEnvironment(m_environment);
        git.start(QStringLiteral("git"), arguments);
        Git result;
        if (git.waitForFinished(60000) && git.exitStatus() == QProcess::NormalExit)
            result.status = git.exitCode();
        result.output = QString::fromLocal8Bit(git.readAllStandardOutput() + git.readAllStandardError());
        return result;
    }

    Level crossing() const
    {
        return loadLevelFile(levelPath(QStringLiteral("Crossing")), modLists::catalogue, Level()).level;
    }

    // Changes the sample level Crossing and, with a message, commits it on a new branch from main.
    void change(const std::function<void(Level&)>& edit, const QString& branch = {}) const
    {
        if (!branch.isEmpty())
            QVERIFY(run({"checkout", "-q", "-b", branch, "main"}).status == 0);
        Level level = crossing();
        edit(level);
        writeFile(levelPath(QStringLiteral("Crossing")), writeLevel(level, modLists::catalogue));
        if (!branch.isEmpty())
            QCOMPARE(run({"commit", "-q", "-a", "-m", "An edit on " + branch}).status, 0);
    }

private:
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
    bool m_ready = true;
};

// Two edits that touch different cells and entities of Crossing, on the
// same line of its grid: a merge of the text would conflict.
void firstEdit(Level& level)
{
    level.levelTiles(0, 1, 1) = static_cast<qint16>((level.levelTiles(0, 1, 1) + 1) % modLists::catalogue.tileCount());
    QVERIFY(levelops::appendEntity(level, Entity{0, 2, 2, 0}, "5"));
}

void secondEdit(Level& level)
{
    level.levelTiles(0, 3, 1) = 2;
    level.levelTiles(2, 4, 3) = 1;
    levelops::setDataText(level, level.entityCount - 1, "changed");
}

} // namespace

class tst_git : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("git")).isEmpty())
            QSKIP("git is not installed; the drivers are tested with git itself");
    }

    // Two branches that edit different parts of one level merge with no
    // conflict, and the merged file holds both edits.
    void mergesByItself()
    {
        const Repository repository;
        QVERIFY(repository.isReady());
        Level both = repository.crossing();
        secondEdit(both);
        firstEdit(both);
        repository.change(firstEdit, "first");
        repository.change(secondEdit, "second");

        const Git merge = repository.run({"merge", "--no-edit", "first"});
        QVERIFY2(merge.status == 0, qPrintable(merge.output));
        QCOMPARE(repository.run({"status", "--porcelain"}).output, QString());
        QVERIFY(leveldiff::diffLevels(repository.crossing(), both).isEmpty());
    }

    void conflictsStopWithTheirList()
    {
        const Repository repository;
        QVERIFY(repository.isReady());
        repository.change([](Level& level) { level.levelTiles(0, 1, 1) = 2; }, "first");
        repository.change([](Level& level) { level.levelTiles(0, 1, 1) = 3; }, "second");

        const Git merge = repository.run({"merge", "--no-edit", "first"});
        QCOMPARE(merge.status, 1);
        const QString floor = modLists::catalogue.tileName(0);
        QVERIFY2(merge.output.contains("levels/Crossing.txt: conflict: Main Level, cell 1, 1: tile " + floor
                     + " in the base, " + modLists::catalogue.tileName(3) + " in ours, "
                     + modLists::catalogue.tileName(2) + " in theirs\n"),
            qPrintable(merge.output));
        QCOMPARE(repository.run({"diff", "--name-only", "--diff-filter=U"}).output, QString("levels/Crossing.txt\n"));
        QCOMPARE(repository.crossing().levelTiles(0, 1, 1), 3); // ours stays
    }

    void diffShowsTheChangeInWords()
    {
        const Repository repository;
        QVERIFY(repository.isReady());
        repository.change(secondEdit);
        const Git diff = repository.run({"diff"});
        QCOMPARE(diff.status, 0);
        QCOMPARE(diff.output.split(u'\n'),
            QStringList({"diff --tilewright a/levels/Crossing.txt b/levels/Crossing.txt",
                "Main Level:", "  3, 1: tile floor -> ice", "Top Right (screen 2):", "  4, 3: tile wall added",
                "Bottom Right (screen 4):", "  9, 10: entity switch data \"3,6,14,5\" -> \"changed\"", ""}));
    }
};

QTEST_MAIN(tst_git)
#include "tst_git.moc"
