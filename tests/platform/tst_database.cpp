#include "DatabaseRows.h"
#include "TestMain.h"

#include "platform/base/Database.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <memory>

class TestDatabase : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Database> m_db;

    QString path() const { return m_dir->filePath(QStringLiteral("t.db")); }

    // The values of column v of table t, in insertion order.
    QStringList values() const
    {
        QSqlQuery query = m_db->exec(QStringLiteral("SELECT v FROM t ORDER BY rowid"));
        QStringList out;
        while (query.next())
            out << query.value(0).toString();
        return out;
    }

    void insert(const QString &value) const { m_db->exec(QStringLiteral("INSERT INTO t(v) VALUES(?)"), {value}); }

    // A store operation of its own: two rows in one transaction, failing after the first
    // when asked to.
    void insertPair(const QString &a, const QString &b, bool failMidway) const
    {
        Transaction transaction(*m_db);
        insert(a);
        if (failMidway)
            throw DbError(QStringLiteral("injected"));
        insert(b);
        transaction.commit();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_db = std::make_unique<Database>(QStringLiteral("tst_database"));
        m_db->open(path());
        m_db->exec(QStringLiteral("CREATE TABLE t(v TEXT NOT NULL)"));
    }

    void cleanup()
    {
        m_db.reset();
        m_dir.reset();
    }

    void operationsInsideOneOperationCommitTogether()
    {
        {
            Transaction outer(*m_db);
            insertPair(QStringLiteral("a"), QStringLiteral("b"), false);
            insertPair(QStringLiteral("c"), QStringLiteral("d"), false);
            outer.commit();
        }
        QCOMPARE(values(), QStringList({"a", "b", "c", "d"}));
    }

    void aFailureInsideRollsBackTheWholeOperation()
    {
        insert(QStringLiteral("before"));
        try {
            Transaction outer(*m_db);
            insertPair(QStringLiteral("a"), QStringLiteral("b"), false);
            insertPair(QStringLiteral("c"), QStringLiteral("d"), true);
            outer.commit();
            QFAIL("the inner failure must reach the outer operation");
        } catch (const DbError &error) {
            QCOMPARE(error.message(), QStringLiteral("injected"));
        }
        QCOMPARE(values(), QStringList({"before"}));

        // The connection is usable afterwards, and a plain operation commits as before.
        insertPair(QStringLiteral("x"), QStringLiteral("y"), false);
        QCOMPARE(values(), QStringList({"before", "x", "y"}));
    }

    void anInnerFailureCaughtInsideUndoesOnlyItsOwnWork()
    {
        {
            Transaction outer(*m_db);
            insert(QStringLiteral("kept"));
            try {
                insertPair(QStringLiteral("a"), QStringLiteral("b"), true);
            } catch (const DbError &) {
            }
            insert(QStringLiteral("after"));
            outer.commit();
        }
        QCOMPARE(values(), QStringList({"kept", "after"}));
    }

    void anOuterRollBackUndoesCommittedInnerWork()
    {
        {
            Transaction outer(*m_db);
            insertPair(QStringLiteral("a"), QStringLiteral("b"), false);
            // ends without commit
        }
        QCOMPARE(values(), QStringList());
    }

    void aFailedStatementInsideRollsBackEverything()
    {
        try {
            Transaction outer(*m_db);
            insert(QStringLiteral("a"));
            {
                Transaction inner(*m_db);
                m_db->exec(QStringLiteral("INSERT INTO t(v) VALUES(NULL)")); // NOT NULL fails
                inner.commit();
            }
            outer.commit();
            QFAIL("the constraint must fail");
        } catch (const DbError &error) {
            QVERIFY(error.message().contains(QStringLiteral("NOT NULL")));
        }
        QCOMPARE(values(), QStringList());
    }
    void aHeldFileIsAShortWaitThenAMessage()
    {
        using TestSupport::failureOf;
        insert(QStringLiteral("mine"));
        TestSupport::ManualBusyClock clock;
        Database other(QStringLiteral("other program"));
        other.open(path());
        const QString held = QStringLiteral("t.db 正被另一个程序使用，本次操作没有改动任何数据。请关闭那个程序，或等它用完后再试。\ndatabase is locked");

        // Another program in the middle of a write: an operation that reads and then writes
        // waits for it like any other, rather than failing at once.
        other.exec(QStringLiteral("BEGIN IMMEDIATE"));
        other.exec(QStringLiteral("INSERT INTO t(v) VALUES('theirs')"));
        QCOMPARE(failureOf([&] {
                     Transaction transaction(*m_db);
                     values();
                     insert(QStringLiteral("a"));
                     transaction.commit();
                 }),
                 held);
        QCOMPARE(clock.waitedMs(), BusyWait::kLimitMs);
        other.exec(QStringLiteral("ROLLBACK"));
        QCOMPARE(values(), QStringList({"mine"}));

        // A file held whole: one operation waits the bounded time in all, and once a wait has
        // run out the next operations say so at once, until the file is free again.
        other.exec(QStringLiteral("BEGIN EXCLUSIVE"));
        QCOMPARE(failureOf([&] { values(); }), held);
        QCOMPARE(clock.waitedMs(), 2 * BusyWait::kLimitMs);
        QCOMPARE(failureOf([&] { insertPair(QStringLiteral("a"), QStringLiteral("b"), false); }), held);
        QCOMPARE(failureOf([&] { values(); }), held);
        QCOMPARE(clock.waitedMs(), 2 * BusyWait::kLimitMs);
        other.exec(QStringLiteral("ROLLBACK"));
        insertPair(QStringLiteral("a"), QStringLiteral("b"), false);
        QCOMPARE(values(), QStringList({"mine", "a", "b"}));
    }

    void messagesSayWhatFailedBeforeTheDriversText()
    {
        using TestSupport::failureOf;
        m_db->exec(QStringLiteral("CREATE TABLE n(姓名 TEXT CHECK(length(姓名) <= 20))"));
        QCOMPARE(failureOf([&] { m_db->exec(QStringLiteral("INSERT INTO n VALUES(?)"), {QString(21, u'长')}); }),
                 QStringLiteral("姓名最多20个字，本次操作没有改动任何数据。请改短后再试。\nCHECK constraint failed: length(姓名) <= 20"));
        QCOMPARE(failureOf([&] { m_db->exec(QStringLiteral("SELECT * FROM gone")); }),
                 QStringLiteral("t.db 中没有 gone 表，它可能被另一个程序删除了，本次操作没有改动任何数据。"
                                "请用备份的 t.db 找回它。\nno such table: gone"));

        // The file moved away while open: neither read nor written any more, whatever the
        // statement, and the connection says it is no longer open.
        QVERIFY(QFile::rename(path(), path() + QStringLiteral(".moved")));
        const QString moved = QStringLiteral("t.db 在程序运行期间被移动、替换或删除，本次操作没有改动任何数据。"
                                             "请关闭这个窗口再重新打开，程序会使用现在的 t.db。");
        QCOMPARE(failureOf([&] { values(); }), moved);
        QVERIFY(QFile::rename(path() + QStringLiteral(".moved"), path()));
        QCOMPARE(failureOf([&] { insert(QStringLiteral("x")); }), moved);
        QVERIFY(!m_db->isOpen());
    }
};

PELLOR_UNIT_TEST_MAIN(TestDatabase)
#include "tst_database.moc"
