// Builds the demo program folder's Student.db and Content.db from their text sources
// (resources/demo-data), through the program's own stores, so that they always have the
// schema the program expects. Each student gets a small generated photo.
//
//   make_demo_databases <students.txt> <content.txt> <output folder>

#include "content/core/ContentStore.h"
#include "platform/base/Database.h"
#include "records/core/StudentStore.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include <cstdio>
#include <stdexcept>

namespace {

struct Counts
{
    int excellent = 0, good = 0, fair = 0, absent = 0;
};

struct DemoStudent
{
    QString name, gender, address, contact, note;
    QList<Counts> semesters;
};

struct DemoGroup
{
    int year = 0;
    QString name;
    QStringList semesters;
    QList<DemoStudent> students;
};

[[noreturn]] void fail(const QString &why)
{
    throw std::runtime_error(why.toStdString());
}

// The source's lines split at TABs; comments and blank lines left out.
QList<QStringList> records(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1").arg(path));
    QList<QStringList> out;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QString text = QString(line).remove(u'\r');
        if (text.trimmed().isEmpty() || text.startsWith(u'#'))
            continue;
        QStringList fields = text.split(u'\t');
        for (QString &field : fields)
            field.replace(QStringLiteral("\\n"), QStringLiteral("\r\n"));
        out.append(fields);
    }
    return out;
}

int number(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        fail(QStringLiteral("not a number: %1").arg(text));
    return value;
}

Counts countsOf(const QString &text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 4)
        fail(QStringLiteral("counts must be 优秀,良,一般,旷课: %1").arg(text));
    return {number(parts[0]), number(parts[1]), number(parts[2]), number(parts[3])};
}

QList<DemoGroup> readGroups(const QString &path)
{
    QList<DemoGroup> groups;
    for (const QStringList &f : records(path)) {
        if (f[0] == u"group" && f.size() >= 4) {
            groups.append({number(f[1]), f[2], f.mid(3), {}});
        } else if (f[0] == u"student" && f.size() >= 6 && !groups.isEmpty()) {
            DemoStudent student{f[1], f[2], f[3], f[4], f[5], {}};
            for (const QString &counts : f.mid(6))
                student.semesters.append(countsOf(counts));
            groups.last().students.append(student);
        } else {
            fail(QStringLiteral("unknown line in %1: %2").arg(path, f.join(u'\t')));
        }
    }
    return groups;
}

// A head-and-shoulders silhouette on a background of the student's own colour.
QByteArray photoOf(int serial, const QString &gender)
{
    QImage image(90, 120, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((serial * 47) % 360, 60, 235));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor figure = gender == u"女" ? QColor(200, 80, 110) : QColor(60, 90, 170);
    painter.setPen(Qt::NoPen);
    painter.setBrush(figure);
    QPainterPath shoulders;
    shoulders.addRoundedRect(QRectF(10, 78, 70, 60), 28, 28);
    painter.drawPath(shoulders);
    painter.setBrush(QColor(250, 220, 190));
    painter.drawEllipse(QRectF(26, 22, 38, 46));
    painter.setBrush(QColor(50, 40, 35));
    painter.drawChord(QRectF(24, 18, 42, 34), 0, 180 * 16);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 85);
    return bytes;
}

void writeStudents(const QList<DemoGroup> &groups, const QString &path)
{
    Database db(QStringLiteral("demo-students"));
    db.open(path);
    const StudentStore store(db);
    store.ensureSchema();
    Transaction transaction(db);
    int serial = 0;
    for (const DemoGroup &group : groups) {
        QStringList names;
        for (const DemoStudent &student : group.students)
            names << student.name;
        const auto imported = store.importGroup({group.year, group.name, group.semesters.value(0)}, names, {});
        if (imported.outcome != StudentStore::Outcome::Done)
            fail(QStringLiteral("group %1 twice").arg(group.name));
        QList<int> classIds = {imported.groupId};
        for (const QString &semester : group.semesters.mid(1))
            classIds << store.addSemester({group.year, group.name, semester}, imported.groupId).classId;
        for (int n = 1; n <= group.students.size(); ++n) {
            const DemoStudent &student = group.students.at(n - 1);
            StudentRecord record;
            record.number = n;
            record.name = student.name;
            record.gender = student.gender;
            record.address = student.address;
            record.contact = student.contact;
            record.note = student.note;
            const StudentChange saved
                = store.SaveStudentEdit(imported.groupId, n, record, photoOf(++serial, student.gender), false);
            if (saved.outcome != StudentChange::Outcome::Done)
                fail(saved.error);
            for (int s = 0; s < student.semesters.size() && s < classIds.size(); ++s) {
                const Counts &c = student.semesters.at(s);
                store.updateCounts(classIds.at(s), n, c.excellent, c.good, c.fair, c.absent);
            }
        }
    }
    transaction.commit();
}

void writeContent(const QString &source, const QString &path)
{
    Database db(QStringLiteral("demo-content"));
    db.open(path);
    const ContentStore store(db);
    store.ensureSchema();
    Transaction transaction(db);
    int subject = -1, lesson = -1, point = -1;
    for (const QStringList &f : records(source)) {
        if (f[0] == u"subject" && f.size() == 2) {
            subject = store.addSubject(f[1]);
            lesson = point = -1;
        } else if (f[0] == u"lesson" && f.size() == 3 && subject > 0) {
            lesson = number(f[1]);
            store.addLesson(subject, lesson, f[2]);
            point = -1;
        } else if (f[0] == u"point" && f.size() == 5 && lesson > 0) {
            PointRecord record;
            record.lesson = lesson;
            record.number = point = number(f[1]);
            record.key = number(f[2]) != 0;
            record.difficult = number(f[3]) != 0;
            record.text = f[4];
            store.addPoint(subject, record);
        } else if (f[0] == u"question" && f.size() == 3 && point > 0) {
            store.addQuestion(subject, lesson, point, f[1], f[2]);
        } else {
            fail(QStringLiteral("unknown line in %1: %2").arg(source, f.join(u'\t')));
        }
    }
    transaction.commit();
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_demo_databases <students.txt> <content.txt> <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(out);
    const QString students = out + QStringLiteral("/Student.db");
    const QString content = out + QStringLiteral("/Content.db");
    try {
        // Made afresh every time, so that the sources alone decide what they hold.
        QFile::remove(students);
        QFile::remove(content);
        writeStudents(readGroups(QString::fromLocal8Bit(argv[1])), students);
        writeContent(QString::fromLocal8Bit(argv[2]), content);
    } catch (const DbError &error) {
        std::fprintf(stderr, "make_demo_databases: %s\n", qPrintable(error.message()));
        return 1;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "make_demo_databases: %s\n", error.what());
        return 1;
    }
    return 0;
}
