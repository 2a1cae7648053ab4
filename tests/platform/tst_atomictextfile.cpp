#include "TestMain.h"

#include "FileSizeLimit.h"
#include "TempProgramFolder.h"

#include "platform/base/AtomicTextFile.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

class TestAtomicTextFile : public QObject
{
    Q_OBJECT

private slots:
    void writesAndReplaces();
    void failuresLeaveThePreviousFileWhole();
    void readOnlyFolder();

private:
    static QStringList entries(const QString &folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }
};

void TestAtomicTextFile::writesAndReplaces()
{
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("a.txt"));
    QCOMPARE(AtomicTextFile::write(path, "first"), QString());
    QCOMPARE(folder.readFile(QStringLiteral("a.txt")), QByteArray("first"));
    QCOMPARE(AtomicTextFile::write(path, "2"), QString());
    QCOMPARE(folder.readFile(QStringLiteral("a.txt")), QByteArray("2"));
    QCOMPARE(AtomicTextFile::write(path, QByteArray()), QString());
    QCOMPARE(folder.readFile(QStringLiteral("a.txt")), QByteArray());
}

void TestAtomicTextFile::failuresLeaveThePreviousFileWhole()
{
    TempProgramFolder folder;

    // The parent is a regular file.
    folder.writeFile(QStringLiteral("plain"), "keep");
    QVERIFY(!AtomicTextFile::write(folder.file(QStringLiteral("plain/a.txt")), "x").isEmpty());
    QCOMPARE(folder.readFile(QStringLiteral("plain")), QByteArray("keep"));

    // The target is a folder.
    QVERIFY(QDir().mkpath(folder.file(QStringLiteral("dir/inner"))));
    QVERIFY(!AtomicTextFile::write(folder.file(QStringLiteral("dir")), "x").isEmpty());
    QVERIFY(QFileInfo(folder.file(QStringLiteral("dir/inner"))).isDir());

    // The disk fills up in the middle of the write, of a small file or a large one.
    const QByteArray old(40, 'o');
    folder.writeFile(QStringLiteral("full/a.txt"), old);
    const QStringList before = entries(folder.file(QStringLiteral("full")));
    for (const qsizetype size : {qsizetype(200), qsizetype(1) << 20}) {
        QString error;
        {
            FileSizeLimit limit(64);
            QVERIFY(limit.active());
            error = AtomicTextFile::write(folder.file(QStringLiteral("full/a.txt")), QByteArray(size, 'n'));
        }
        QVERIFY(!error.isEmpty());
        QCOMPARE(folder.readFile(QStringLiteral("full/a.txt")), old);
        QCOMPARE(entries(folder.file(QStringLiteral("full"))), before); // no temporary file left behind
    }
}

void TestAtomicTextFile::readOnlyFolder()
{
    if (geteuid() == 0)
        QSKIP("permission bits do not stop root; the other failures stand in for this one");
    TempProgramFolder folder;
    folder.writeFile(QStringLiteral("ro/a.txt"), "old");
    const QString dir = folder.file(QStringLiteral("ro"));
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
    const QString error = AtomicTextFile::write(dir + QStringLiteral("/a.txt"), "new");
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!error.isEmpty());
    QCOMPARE(folder.readFile(QStringLiteral("ro/a.txt")), QByteArray("old"));
}

PELLOR_UNIT_TEST_MAIN(TestAtomicTextFile)
#include "tst_atomictextfile.moc"
