// How the main operations grow with the school. A school at scale k has 50k groups of 50
// students, each group with 10 semesters, and 10k subjects of 40 lessons of 10 knowledge points
// of 5 questions; a real school is k = 1. Each operation does what a teacher does to the whole
// school, so that its time grows 4 times from one scale to the next when it is linear:
// - roster page: every group's roster loaded, the records window shown, until painted;
// - score page: every group's last semester loaded, the same way;
// - import: every group imported from its roster file of 50 lines into a new database, then
//   given its other 9 semesters, each operation committed on its own;
// - renumbering: in every group, student 1 given number 2, as the edit form saves it, so that
//   every student moves in the roster and in 10 score tables;
// - points page, questions page: every lesson's list loaded, the page shown, until painted;
// - presenter: every lesson stepped through, every point with its question count and every
//   question of each point;
// - score files: the roll call's 8 group files loaded and saved, 50k students in each (the
//   roll call has 8 groups at every scale: its files grow by their students).
// Each figure comes from a process of its own, which builds its school untimed and times the
// operation 3 times by the processor time of the process; the figure is their median. The
// waits for the disk are left out: each operation commits once, or writes its 9 files once,
// at every scale, and those waits vary from run to run far more than the work does. The table gives each
// figure in ms and its growth from one scale to the next (4.0 is linear). No figure has a target: the program
// fails only when an operation does not run.

#include "bench/Comparisons.h"
#include "bench/HeadlessEnvironment.h"
#include "bench/RecordsWindow.h"

#include "app/PellorStartup.h"
#include "app/core/GroupScoreFile.h"
#include "application/CPellorApp.h"
#include "content/CKeshiWentiDlg.h"
#include "content/CKeshiZhishidianPage.h"
#include "content/core/ContentStore.h"
#include "content/core/LessonNavigator.h"
#include "controls/CListCtrlCl.h"
#include "platform/base/TextCodec.h"
#include "records/CStuLianxi.h"
#include "records/CStudentInfoDlg.h"
#include "records/CStudentPellorScorePage.h"
#include "records/core/RosterFile.h"
#include "records/core/StudentStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kScales[] = { 1, 4, 16 };
constexpr int kGroups = 50;
constexpr int kStudents = 50;
constexpr int kSemesters = 10;
constexpr int kSubjects = 10;
constexpr int kLessons = 40;
constexpr int kPoints = 10;
constexpr int kQuestions = 5;
constexpr int kRollCallGroups = 8;
constexpr int kRuns = 3;
constexpr int kRosterTab = 1;
constexpr int kScoreTab = 2;

QString semesterName(int s) { return QStringLiteral("第%1学期").arg(s); }
QString groupName(int g) { return QStringLiteral("%1班").arg(g); }

QStringList studentNames()
{
    QStringList names;
    for (int n = 1; n <= kStudents; ++n)
        names << QStringLiteral("学生%1").arg(n);
    return names;
}

// The school's students: per group its ID (its first semester's) and its last semester's.
struct StudentSchool
{
    Bench::DatabaseFile file { QStringLiteral("scale-students"), QStringLiteral("Student.db") };
    std::vector<int> groupIds;
    std::vector<int> lastSemesterIds;
};

std::unique_ptr<StudentSchool> studentSchool(int scale)
{
    auto school = std::make_unique<StudentSchool>();
    const StudentStore store(*school->file.db);
    store.ensureSchema();
    Transaction transaction(*school->file.db);
    const QStringList names = studentNames();
    for (int g = 1; g <= kGroups * scale; ++g) {
        const int id = store.importGroup({ 2012, groupName(g), semesterName(1) }, names, QStringLiteral("男")).groupId;
        int last = id;
        for (int s = 2; s <= kSemesters; ++s)
            last = store.addSemester({ 2012, groupName(g), semesterName(s) }, id).classId;
        school->groupIds.push_back(id);
        school->lastSemesterIds.push_back(last);
    }
    transaction.commit();
    return school;
}

struct ContentSchool
{
    Bench::DatabaseFile file { QStringLiteral("scale-content"), QStringLiteral("Content.db") };
    int subjects = 0;
};

std::unique_ptr<ContentSchool> contentSchool(int scale)
{
    auto school = std::make_unique<ContentSchool>();
    const ContentStore store(*school->file.db);
    store.ensureSchema();
    Transaction transaction(*school->file.db);
    school->subjects = kSubjects * scale;
    for (int subject = 1; subject <= school->subjects; ++subject) {
        const int id = store.addSubject(QStringLiteral("课目%1").arg(subject));
        for (int lesson = 1; lesson <= kLessons; ++lesson) {
            store.addLesson(id, lesson, QStringLiteral("第%1课").arg(lesson));
            for (int point = 1; point <= kPoints; ++point) {
                store.addPoint(id, { 0, lesson, point, QStringLiteral("知识点%1\n要点与例题").arg(point), point % 3 == 0, false });
                for (int q = 1; q <= kQuestions; ++q)
                    store.addQuestion(id, lesson, point, QStringLiteral("问题%1-%2").arg(point).arg(q),
                        QStringLiteral("答案%1-%2").arg(point).arg(q));
            }
        }
    }
    transaction.commit();
    return school;
}

double processSeconds()
{
    timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// An operation at one scale: `prepare` runs untimed before each run, `run` is timed and says
// whether it did its work.
struct Timed
{
    std::function<void()> prepare;
    std::function<bool()> run;
};

struct Case
{
    const char *name;
    std::function<Timed(int scale)> make;
};

Timed rosterPage(int scale)
{
    auto &school = *Bench::keep(studentSchool(scale));
    CStudentInfoDlg &window = *Bench::keep(Bench::shownRecordsWindow(school.file.db, 1, 1, kRosterTab));
    return { {}, [&window, &school] {
                CStuLianxi &page = *window.m_pageRoster;
                bool all = true;
                for (int id : school.groupIds) {
                    window.setCurrent(id, id);
                    page.LoadStudentList();
                    all = Bench::paint(window) && page.m_listStudents->GetItemCount() == kStudents && all;
                }
                return all;
            } };
}

Timed scorePage(int scale)
{
    auto &school = *Bench::keep(studentSchool(scale));
    CStudentInfoDlg &window = *Bench::keep(Bench::shownRecordsWindow(school.file.db, 1, 1, kScoreTab));
    return { {}, [&window, &school] {
                CStudentPellorScorePage &page = *window.m_pageScore;
                bool all = true;
                for (size_t g = 0; g < school.groupIds.size(); ++g) {
                    window.setCurrent(school.groupIds[g], school.lastSemesterIds[g]);
                    page.ReloadScores();
                    all = Bench::paint(window) && page.m_listScores->GetItemCount() == kStudents && all;
                }
                return all;
            } };
}

// The roster files of the groups, as Notepad saves them as "Unicode".
QStringList rosterFiles(const QTemporaryDir &folder, int groups)
{
    QString text;
    for (const QString &name : studentNames())
        text += name + QStringLiteral("\r\n");
    const QByteArray bytes = TextCodec::encode(text, TextCodec::Encoding::Utf16Le, true);
    QStringList paths;
    for (int g = 1; g <= groups; ++g) {
        paths << folder.filePath(QStringLiteral("roster%1.txt").arg(g));
        QFile out(paths.last());
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
    }
    return paths;
}

Timed import(int scale)
{
    auto &files = *Bench::keep(std::make_unique<QTemporaryDir>());
    const QStringList paths = rosterFiles(files, kGroups * scale);
    auto &target = Bench::keep(std::unique_ptr<Bench::DatabaseFile>());
    return { [&target] {
                target.reset();
                target = std::make_unique<Bench::DatabaseFile>(QStringLiteral("scale-import"), QStringLiteral("Student.db"));
                StudentStore(*target->db).ensureSchema();
            },
        [&target, paths] {
            const StudentStore store(*target->db);
            for (int g = 1; g <= paths.size(); ++g) {
                const std::optional<RosterFile> roster = RosterFile::read(paths.at(g - 1));
                if (!roster || roster->names.size() != kStudents)
                    return false;
                const int id = store.importGroup({ 2012, groupName(g), semesterName(1) }, roster->names, roster->gender()).groupId;
                for (int s = 2; s <= kSemesters; ++s)
                    store.addSemester({ 2012, groupName(g), semesterName(s) }, id);
            }
            return true;
        } };
}

Timed renumbering(int scale)
{
    auto &school = *Bench::keep(studentSchool(scale));
    static int moves = 0;
    return { {}, [&school] {
                const StudentStore store(*school.file.db);
                // One way, then back: every run starts from the numbers it leaves.
                const int from = moves % 2 == 0 ? 1 : 2;
                const int to = 3 - from;
                ++moves;
                for (int id : school.groupIds) {
                    StudentRecord student = *store.student(id, from);
                    student.number = to;
                    if (store.SaveStudentEdit(id, from, student, std::nullopt, true).outcome != StudentChange::Outcome::Done)
                        return false;
                }
                return true;
            } };
}

// Whether `step` holds for every lesson of every subject, each made the current lesson first.
bool everyLesson(const ContentSchool &school, const std::function<bool(int subject, int lesson)> &step)
{
    bool all = true;
    for (int subject = 1; subject <= school.subjects; ++subject) {
        for (int lesson = 1; lesson <= kLessons; ++lesson) {
            theApp().m_nKemuID = subject;
            theApp().m_nKeshiID = lesson;
            all = step(subject, lesson) && all;
        }
    }
    return all;
}

// A content page over the school, shown on its first lesson.
template <typename Page>
Page &shownPage(const ContentSchool &school, const std::function<void(Page &)> &setUp = {})
{
    theApp().m_nKemuID = 1;
    theApp().m_nKeshiID = 1;
    auto &page = *Bench::keep(std::make_unique<Page>());
    page.m_pConnection = school.file.db;
    if (setUp)
        setUp(page);
    page.OnInitDialog();
    Bench::show(page);
    return page;
}

Timed pointsPage(int scale)
{
    auto &school = *Bench::keep(contentSchool(scale));
    auto &page = shownPage<CKeshiZhishidianPage>(school);
    return { {}, [&page, &school] {
                return everyLesson(school, [&page](int, int) {
                    page.LoadZhishidianList();
                    return Bench::paint(page) && page.m_listZhishidian->GetItemCount() == kPoints;
                });
            } };
}

Timed questionsPage(int scale)
{
    auto &school = *Bench::keep(contentSchool(scale));
    auto &page = shownPage<CKeshiWentiDlg>(school, [](CKeshiWentiDlg &p) { p.m_bAllQuestions = 1; });
    return { {}, [&page, &school] {
                return everyLesson(school, [&page](int, int) {
                    page.LoadQuestionList();
                    return Bench::paint(page) && page.m_listWenti->GetItemCount() == kPoints * kQuestions;
                });
            } };
}

// Each point's question count and every question, from the first point to the last.
Timed presenter(int scale)
{
    auto &school = *Bench::keep(contentSchool(scale));
    return { {}, [&school] {
                return everyLesson(school, [&school](int subject, int lesson) {
                    LessonNavigator navigator;
                    navigator.Load(school.file.db, subject, lesson);
                    navigator.TakeRow(0);
                    int questions = 0;
                    int shown = 0;
                    for (int point = 0; point < kPoints; ++point) {
                        const int row = point == 0 ? 0 : navigator.NextPoint();
                        questions += navigator.CountWenti(navigator.points().at(row).number);
                        for (int q = 0; q < kQuestions; ++q)
                            shown += navigator.NextQuestion() ? 1 : 0;
                    }
                    return questions == kPoints * kQuestions && shown == kPoints * kQuestions;
                });
            } };
}

Timed scoreFiles(int scale)
{
    auto &folder = *Bench::keep(std::make_unique<QTemporaryDir>());
    const int students = kStudents * scale;
    QList<QByteArray> files;
    for (int g = 1; g <= kRollCallGroups; ++g) {
        QString text = QStringLiteral("%1\r\n12\t总成绩\t%2\r\n").arg(students).arg(students * 30);
        for (int i = 0; i < students; ++i)
            text += QStringLiteral("学生%1-%2\t\t%3\r\n").arg(g).arg(i + 1).arg(20 + (i * 7) % 25);
        files << TextCodec::encodeGb18030(text);
    }
    const QString dir = folder.path() + u'/';
    return { [dir, files] {
                // Each run loads the files as a lesson finds them.
                for (int g = 1; g <= kRollCallGroups; ++g) {
                    QFile out(dir + GroupScoreFile::groupFileName(g));
                    if (out.open(QIODevice::WriteOnly))
                        out.write(files.at(g - 1));
                }
            },
        [dir] {
            RollCallTables tables;
            return GroupScoreFile::load(dir, kRollCallGroups, 2, tables).status == GroupScoreFile::LoadStatus::Loaded
                && GroupScoreFile::save(dir, tables).isEmpty();
        } };
}

const std::vector<Case> &cases()
{
    static const std::vector<Case> all {
        { "roster page: every group's roster, painted", rosterPage },
        { "score page: every group's last semester, painted", scorePage },
        { "import: every group's roster file, 10 semesters each", import },
        { "renumbering: student 1 -> 2 in every group", renumbering },
        { "points page: every lesson's points, painted", pointsPage },
        { "questions page: every lesson's questions, painted", questionsPage },
        { "presenter: every lesson's points and questions stepped", presenter },
        { "score files: 8 group files loaded and saved", scoreFiles },
    };
    return all;
}

// One operation at one scale, in this process: prints its median time in ms.
int runCase(int argc, char **argv, size_t index, int scale)
{
    const HeadlessEnvironment headless;
    QApplication application(argc, argv);
    PellorStartup::prepareApplication();
    CPellorApp pellor;
    Timed timed = cases().at(index).make(scale);
    std::vector<double> ms;
    bool ran = true;
    for (int run = 0; run < kRuns && ran; ++run) {
        if (timed.prepare)
            timed.prepare();
        const double start = processSeconds();
        ran = timed.run();
        ms.push_back((processSeconds() - start) * 1000);
    }
    pellor.m_pConnection.reset();
    pellor.m_pStudentConnection.reset();
    Bench::releaseKept();
    if (!ran)
        return 1;
    std::sort(ms.begin(), ms.end());
    std::printf("%.3f\n", ms[ms.size() / 2]);
    return 0;
}

// The figure of a child process; negative when it failed.
double spawnCase(const std::string &self, size_t index, int scale)
{
    const std::optional<std::string> out
        = Bench::runChild(self, { "--case=" + std::to_string(index), "--scale=" + std::to_string(scale) });
    return out && !out->empty() ? std::atof(out->c_str()) : -1;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string index = Bench::argument(argc, argv, "--case=");
    if (!index.empty())
        return runCase(argc, argv, std::stoul(index), std::stoi(Bench::argument(argc, argv, "--scale=")));

    const std::string self = Bench::selfPath(argv[0]);
    const std::string only = Bench::argument(argc, argv, "--only=");
    std::printf("%-62s %10s %10s %10s %7s %7s\n", "scale (a real school = 1x; growth 4.0 is linear)", "1x ms",
        "4x ms", "16x ms", "4x/1x", "16x/4x");
    int result = 0;
    for (size_t i = 0; i < cases().size(); ++i) {
        if (!only.empty() && std::string(cases()[i].name).find(only) == std::string::npos)
            continue;
        double ms[3];
        for (size_t s = 0; s < 3; ++s)
            ms[s] = spawnCase(self, i, kScales[s]);
        if (*std::min_element(std::begin(ms), std::end(ms)) < 0) {
            std::printf("%-62s %10s\n", cases()[i].name, "DID NOT RUN");
            result = 1;
            continue;
        }
        std::printf("%-62s %10.1f %10.1f %10.1f %7.2f %7.2f\n", cases()[i].name, ms[0], ms[1], ms[2], ms[1] / ms[0],
            ms[2] / ms[1]);
        std::fflush(stdout);
    }
    return result;
}
