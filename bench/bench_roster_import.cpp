// Importing a 5,000-line roster file into a new student database, alone and with the group
// then given 10 semesters in all, each semester added as the teacher adds it (one operation,
// one commit, each). The floor reads and decodes the same file with plain Qt calls and runs
// the same statements bare, with the same commits: for the import, the check for the group,
// its row, its roster and first score table, and one prepared insert per student in each;
// for each semester, the check, its row, its score table and one INSERT ... SELECT of the
// roster.

#include "bench/Comparisons.h"

#include "platform/base/TextCodec.h"
#include "records/core/RosterFile.h"
#include "records/core/StudentStore.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

constexpr int kStudents = 5000;

QTemporaryDir &folder()
{
    static QTemporaryDir &dir = *Bench::keep(std::make_unique<QTemporaryDir>());
    return dir;
}

// The roster as Notepad saves it as "Unicode": UTF-16LE with its mark, CR LF.
const QString &rosterPath()
{
    static const QString path = [] {
        QString text;
        for (int i = 1; i <= kStudents; ++i)
            text += QStringLiteral("学生%1\r\n").arg(i);
        const QString file = folder().filePath(QStringLiteral("roster.txt"));
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(TextCodec::encode(text, TextCodec::Encoding::Utf16Le, true));
        return file;
    }();
    return path;
}

// A new student database with its main table, in a folder of its own: the state the import
// starts from.
std::unique_ptr<Bench::DatabaseFile> freshDatabase()
{
    auto file
        = std::make_unique<Bench::DatabaseFile>(QStringLiteral("bench-import"), QStringLiteral("Student.db"));
    StudentStore(*file->db).ensureSchema();
    return file;
}

QString semesterName(int s) { return QStringLiteral("第%1学期").arg(s); }

void storeImport(benchmark::State &state, int semesters)
{
    rosterPath();
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Bench::DatabaseFile> file = freshDatabase();
        const StudentStore store(*file->db);
        state.ResumeTiming();

        const std::optional<RosterFile> roster = RosterFile::read(rosterPath());
        const auto group = store.importGroup(
            { 2012, QStringLiteral("1班"), semesterName(1) }, roster->names, roster->gender());
        for (int s = 2; s <= semesters; ++s)
            store.addSemester({ 2012, QStringLiteral("1班"), semesterName(s) }, group.groupId);

        state.PauseTiming();
        file.reset();
        state.ResumeTiming();
    }
}

void bareCount(const Database &db, const QString &sql, const QVariantList &values)
{
    QSqlQuery query = db.exec(sql, values);
    query.next();
    benchmark::DoNotOptimize(query.value(0));
}

QString scoreTable(int s, int nameWidth)
{
    return QStringLiteral(
        "CREATE TABLE 课堂成绩表%1(学号 INTEGER NOT NULL PRIMARY KEY,姓名 TEXT CHECK(length(姓名) <= %2),"
        "优秀 INTEGER,良 INTEGER,一般 INTEGER,旷课 INTEGER,主动加分 INTEGER)")
        .arg(s)
        .arg(nameWidth);
}

void importFloor(benchmark::State &state, int semesters)
{
    rosterPath();
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Bench::DatabaseFile> file = freshDatabase();
        Database *db = file->db.get();
        state.ResumeTiming();

        QFile roster(rosterPath());
        roster.open(QIODevice::ReadOnly);
        const QByteArray bytes = roster.readAll();
        const QString text = QString::fromUtf16(
            reinterpret_cast<const char16_t *>(bytes.constData()) + 1, bytes.size() / 2 - 1);
        QStringList names = text.split(QStringLiteral("\r\n"));
        names.removeLast();
        {
            Transaction transaction(*db);
            bareCount(*db, QStringLiteral("SELECT count(*) FROM ClassInfo WHERE 入学年=? AND 小组=?"),
                { 2012, QStringLiteral("1班") });
            db->exec(QStringLiteral("INSERT INTO ClassInfo(点名,入学年,小组,学期) VALUES(0,?,?,?)"),
                { 2012, QStringLiteral("1班"), semesterName(1) });
            db->exec(QStringLiteral("UPDATE ClassInfo SET 小组ID=? WHERE ID=?"), { 1, 1 });
            db->exec(QStringLiteral(
                "CREATE TABLE 小组表1(学号 INTEGER NOT NULL PRIMARY KEY,姓名 TEXT CHECK(length(姓名) <= 20),"
                "性别 TEXT CHECK(length(性别) <= 2),地址 TEXT CHECK(length(地址) <= 100),"
                "联系方式 TEXT CHECK(length(联系方式) <= 100),备注 TEXT CHECK(length(备注) <= 200),照片 "
                "BLOB)"));
            db->exec(scoreTable(1, 20));
            db->exec(
                QStringLiteral("INSERT INTO 课堂成绩表1(学号,姓名) VALUES(0,?)"), { QStringLiteral("0") });
            QSqlQuery student
                = db->prepare(QStringLiteral("INSERT INTO 小组表1(学号,姓名,性别) VALUES(?,?,?)"));
            QSqlQuery score = db->prepare(QStringLiteral(
                "INSERT INTO 课堂成绩表1(学号,姓名,优秀,良,一般,旷课,主动加分) VALUES(?,?,0,0,0,0,0)"));
            for (int n = 1; n <= names.size(); ++n) {
                db->run(student, { n, names.at(n - 1), QStringLiteral("男") });
                db->run(score, { n, names.at(n - 1) });
            }
            student.finish();
            score.finish();
            transaction.commit();
        }
        for (int s = 2; s <= semesters; ++s) {
            Transaction transaction(*db);
            bareCount(*db,
                QStringLiteral("SELECT count(*) FROM ClassInfo WHERE 入学年=? AND 小组=? AND 学期=?"),
                { 2012, QStringLiteral("1班"), semesterName(s) });
            db->exec(QStringLiteral("INSERT INTO ClassInfo(点名,入学年,小组,学期,小组ID) VALUES(0,?,?,?,?)"),
                { 2012, QStringLiteral("1班"), semesterName(s), 1 });
            db->exec(scoreTable(s, 255));
            db->exec(QStringLiteral("INSERT INTO 课堂成绩表%1(学号,姓名) VALUES(0,?)").arg(s),
                { QStringLiteral("0") });
            db->exec(QStringLiteral(
                "INSERT INTO 课堂成绩表%1(学号,姓名) SELECT 学号,姓名 FROM 小组表1 ORDER BY 学号")
                         .arg(s));
            transaction.commit();
        }

        state.PauseTiming();
        file.reset();
        state.ResumeTiming();
    }
}

} // namespace

int main(int argc, char **argv)
{
    return Bench::run(argc, argv,
        {
            { "roster import: 5,000 lines, 1 semester / bare statements",
                [](benchmark::State &s) { storeImport(s, 1); },
                [](benchmark::State &s) { importFloor(s, 1); }, 2.0, Bench::Clock::Wall },
            { "roster import: 5,000 lines, then 9 semesters added / bare statements",
                [](benchmark::State &s) { storeImport(s, 10); },
                [](benchmark::State &s) { importFloor(s, 10); }, 2.0, Bench::Clock::Wall },
        });
}
