// A click on a student of the roster page, the records window shown, until it is painted: the
// row selected, the student read with the photo, the note and the photo shown. Students whose
// photo is a 4000 x 3000 JPEG, as a phone takes them (about 4 MB), beside the same click on
// students whose photo is a 100 KB JPEG (640 x 480). Each click goes to the other student of
// the pair, since a click on the student shown already does nothing.

#include "bench/Comparisons.h"
#include "bench/RecordsWindow.h"

#include "application/CPellorApp.h"
#include "controls/CListCtrlCl.h"
#include "controls/CTabSheet.h"
#include "records/CStuLianxi.h"
#include "records/CStudentInfoDlg.h"
#include "records/core/StudentStore.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QRandomGenerator>

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

void clickEachInTurn(benchmark::State &state, int firstRow)
{
    CStudentInfoDlg &window = recordsWindow();
    CStuLianxi &page = *window.m_pageRoster;
    int turn = 0;
    for (auto _ : state) {
        const int row = firstRow + turn++ % 2;
        click(*page.m_listStudents, row);
        Bench::paint(window);
        if (page.m_nLastClickedItem != row || !page.m_picture.m_pPicture)
            state.SkipWithError("the student's photo was not shown");
    }
}

void phonePhotoClick(benchmark::State &state)
{
    clickEachInTurn(state, 0);
}

void smallPhotoClick(benchmark::State &state)
{
    clickEachInTurn(state, 2);
}

} // namespace

int main(int argc, char **argv)
{
    return Bench::run(argc, argv,
        {
            { "roster page: a click on a student with a 4000x3000 JPEG, painted / with a 100 KB photo",
                phonePhotoClick, smallPhotoClick, 1.5 },
        });
}
