#include "TempProgramFolder.h"
#include "TestMain.h"

#include "app/core/CPellorApp.h"

#include <QDir>

class TestPellorApp : public QObject
{
    Q_OBJECT

private slots:
    void defaultsAndWeights()
    {
        CPellorApp app;
        QCOMPARE(app.m_fBasicScore, 0.0f);
        QCOMPARE(app.m_fMaxScore, 100.0f);
        QCOMPARE(app.m_fYouxiu, 2.0f);
        QCOMPARE(app.m_fLiangScore, 1.0f);
        QCOMPARE(app.m_fJiayouScore, 0.5f);
        QCOMPARE(app.m_fKuangkeScore, -2.0f);
        QCOMPARE(app.m_bShowScore, 1);
        QVERIFY(!app.m_pConnection && !app.m_pStudentConnection);

        TempProgramFolder folder;
        app.ReadScoreWeights(folder.file(QStringLiteral("res/set.ini"))); // missing: defaults stay
        QCOMPARE(app.m_fMaxScore, 100.0f);

        // Wherever the program is started from, the program folder's file is the one read.
        folder.writeFile(QStringLiteral("res/set.ini"), "[Score]\nMaxScore=90\nkuangkeScore=-3\n");
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QDir::tempPath());
        app.ReadScoreWeights(app.SettingsPath());
        QDir::setCurrent(previous);
        QCOMPARE(app.m_fMaxScore, 90.0f);
        QCOMPARE(app.m_fKuangkeScore, -3.0f);
        QCOMPARE(app.m_fYouxiu, 2.0f);
    }

    void exitClosesOpenConnectionsOnly()
    {
        TempProgramFolder folder;
        CPellorApp app;
        QCOMPARE(app.ExitInstance(), 0); // no connection at all

        app.m_pStudentConnection = std::make_shared<Database>(QStringLiteral("exit-test-student"));
        app.m_pStudentConnection->open(folder.file(QStringLiteral("Student.db")));
        app.m_pConnection = std::make_shared<Database>(QStringLiteral("exit-test-content")); // never opened
        QVERIFY(app.m_pStudentConnection->isOpen());
        QCOMPARE(app.ExitInstance(), 0);
        QVERIFY(!app.m_pStudentConnection->isOpen());
        QVERIFY(!app.m_pConnection->isOpen());
    }
};

PELLOR_UNIT_TEST_MAIN(TestPellorApp)
#include "tst_pellorapp.moc"
