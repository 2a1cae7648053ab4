// A click on a student of the roster page, the records window shown, until the photo is
// painted: the row selected, the student read, the note shown, the photo read and decoded (by
// the window's worker) and shown. Students whose photo is a 4000 x 3000 JPEG, as a phone takes
// them (about 4 MB), beside the same click on students whose photo is a 100 KB JPEG
// (640 x 480). What is timed is what blocks the window: the processor time of the window's own
// thread from the click until the photo is painted, the worker's aside. A first click finds no
// photo kept; a second click finds it kept. Each click goes to the other student of the pair,
// since a click on the student shown already does nothing.

#include "bench/Comparisons.h"
#include "bench/RecordsWindow.h"

#include "application/CPellorApp.h"
#include "controls/CListCtrlCl.h"
#include "controls/CTabSheet.h"
#include "records/CStuLianxi.h"
#include "records/CStudentInfoDlg.h"
#include "records/PhotoCache.h"
#include "records/core/StudentStore.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QThread>
#include <QTimer>

#include <ctime>

namespace {

constexpr int kRosterTab = 1;

// Light, shade and grain of a photograph, so that it compresses as one does.
QByteArray photo(int width, int height, int quality, quint32 seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator grain(seed);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = static_cast<int>(grain.bounded(20));
            line[x] = qRgb((x * 255 / width + n) & 255, (y * 255 / height + n) & 255, ((x + y) / 7 + n) & 255);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", quality);
    return bytes;
}

// Students 1 and 2 with phone photos, 3 and 4 with 100 KB ones.
std::unique_ptr<Bench::DatabaseFile> makeGroup()
{
    auto file = std::make_unique<Bench::DatabaseFile>(QStringLiteral("photos"), QStringLiteral("Student.db"));
    const StudentStore store(*file->db);
    store.ensureSchema();
    const int id = store
                       .importGroup({ 2012, QStringLiteral("1班"), QStringLiteral("第1学期") },
                           { QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"), QStringLiteral("丁") },
                           QStringLiteral("男"))
                       .groupId;
    for (int n = 1; n <= 4; ++n) {
        StudentRecord student = *store.student(id, n);
        student.note = QStringLiteral("毕业快乐");
        const QByteArray bytes = n <= 2 ? photo(4000, 3000, 90, n) : photo(640, 480, 90, n);
        std::fprintf(stderr, "student %d: photo of %lld bytes\n", n, static_cast<long long>(bytes.size()));
        store.SaveStudentEdit(id, n, student, bytes, false);
    }
    return file;
}

// The records window on the roster page.
CStudentInfoDlg &recordsWindow()
{
    static CStudentInfoDlg &window
        = *Bench::keep(Bench::shownRecordsWindow(Bench::keep(makeGroup())->db, 1, 1, kRosterTab));
    return window;
}

// A left click on the row's name, as the teacher's mouse gives it.
void click(QAbstractItemView &list, int row)
{
    const QPoint at = list.visualRect(list.model()->index(row, 1)).center();
    const QPointF global = list.viewport()->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list.viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list.viewport(), &release);
}

double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

constexpr int kPhotoWaitMs = 10000;
constexpr int kIdleBeforeClickMs = 50;

// Clicks the row and runs the window until its photo is painted; false when none came.
bool clickUntilPainted(CStudentInfoDlg &window, int row)
{
    CStuLianxi &page = *window.m_pageRoster;
    click(*page.m_listStudents, row);
    Bench::paint(window);
    // Asleep until the worker hands over the photo; the timer ends a wait for one that never comes.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(kPhotoWaitMs);
    while (!page.m_picture.m_pPicture && deadline.isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Bench::paint(window);
    return page.m_nLastClickedItem == row && page.m_picture.m_pPicture;
}

void clickEachInTurn(benchmark::State &state, int firstRow, bool kept)
{
    CStudentInfoDlg &window = recordsWindow();
    PhotoCache &photos = *window.m_photos;
    if (kept) {
        for (int row : {firstRow, firstRow + 1})
            clickUntilPainted(window, row);
    }
    int turn = 0;
    for (auto _ : state) {
        if (!kept)
            photos.forgetGroup(window.m_nGroupID);
        // A teacher clicks a window that has been idle, its caches gone cold, whether or not it
        // waited for a photo before: every click is timed so, the phone photo's and the floor's.
        QThread::msleep(kIdleBeforeClickMs);
        const double start = threadSeconds();
        const bool shown = clickUntilPainted(window, firstRow + turn++ % 2);
        state.SetIterationTime(threadSeconds() - start);
        if (!shown)
            state.SkipWithError("the student's photo was not shown");
    }
}

void phonePhotoFirstClick(benchmark::State &state)
{
    clickEachInTurn(state, 0, false);
}

void smallPhotoFirstClick(benchmark::State &state)
{
    clickEachInTurn(state, 2, false);
}

void phonePhotoSecondClick(benchmark::State &state)
{
    clickEachInTurn(state, 0, true);
}

void smallPhotoSecondClick(benchmark::State &state)
{
    clickEachInTurn(state, 2, true);
}

} // namespace

int main(int argc, char **argv)
{
    // The window's own time, on a clock of its thread.
    Bench::Comparison first { "roster page: a first click, 4000x3000 JPEG, window's own time / 100 KB photo",
        phonePhotoFirstClick, smallPhotoFirstClick, 1.5 };
    first.manualTime = true;
    // Each click waits for the idle time and a phone photo's decoding: a few clicks a run.
    first.iterations = 10;
    Bench::Comparison second { "roster page: a second click, 4000x3000 JPEG kept, window's time / 100 KB photo",
        phonePhotoSecondClick, smallPhotoSecondClick, 1.5 };
    second.manualTime = true;
    second.iterations = 10;
    return Bench::run(argc, argv, { first, second });
}
