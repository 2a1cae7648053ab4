#include "ListClicks.h"
#include "ModalHelper.h"
#include "PhotoBytes.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"
#include "TestMain.h"

#include "application/CPellorApp.h"
#include "platform/base/BackgroundWorker.h"
#include "controls/CListCtrlCl.h"
#include "controls/CTabSheet.h"
#include "records/CStuLianxi.h"
#include "records/CStudentInfoDlg.h"
#include "records/PhotoCache.h"
#include "records/PhotoFrame.h"
#include "records/StudentForm.h"
#include "records/core/StudentDatabase.h"
#include "records/core/StudentStore.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>
#include <QtEndian>

namespace {

QLineEdit *edit(QWidget *form, int id)
{
    return form->findChild<QLineEdit *>(QStringLiteral("edit%1").arg(id));
}

QByteArray picture(int width, int height, Qt::GlobalColor color, const char *format = "BMP")
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return TestSupport::encodedImage(image, format);
}

// The patterns of a chooser filter "名称(*.a *.b)" that a file name matches, letter case
// counting, as a dialog that matches names exactly does.
bool filterLists(const QString &filter, const QString &fileName)
{
    const qsizetype open = filter.indexOf(u'(');
    const QStringList patterns = filter.mid(open + 1, filter.size() - open - 2).split(u' ', Qt::SkipEmptyParts);
    for (const QString &pattern : patterns) {
        if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern)).match(fileName).hasMatch())
            return true;
    }
    return false;
}

} // namespace

class TestPhotos : public QObject
{
    Q_OBJECT

    CPellorApp m_app;
    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<CStudentInfoDlg> m_dlg;
    CStuLianxi *m_page = nullptr;
    int m_group = 0;

    StudentStore store() const { return StudentStore(*theApp().m_pStudentConnection); }

    void clickRow(int row)
    {
        TestSupport::clickCell(m_page->m_listStudents, row, 1);
    }

    // The colour of the middle of the photo the page shows; invalid for none.
    QColor shownColour() const
    {
        if (!m_page->m_picture.m_pPicture)
            return {};
        const QImage &image = m_page->m_picture.m_pPicture->image();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }

    // A photo of one colour larger than any frame, as a camera's are.
    static QByteArray photo(Qt::GlobalColor color) { return picture(1600, 1200, color, "JPEG"); }

    void storePhoto(int number, Qt::GlobalColor color)
    {
        StudentRecord student = *store().student(m_group, number);
        store().SaveStudentEdit(m_group, number, student, photo(color), false);
    }

    void selectRow(int row)
    {
        m_page->m_listStudents->clearSelection();
        m_page->m_listStudents->SetItemSelected(row, true);
    }

    // The add form shown once with action done in it, then closed: at once, or when it is
    // shown again for the next student after an add.
    void inAddForm(const std::function<void(QWidget *)> &action)
    {
        TestSupport::whenModal([action](QWidget *form) {
            action(form);
            closeWhenShown(form, 10000);
        });
        m_page->OnBnClickedAddStudent();
    }

    static void closeWhenShown(QPointer<QWidget> form, int turns)
    {
        if (!form)
            return;
        if (form->isVisible() && QApplication::activeModalWidget() == form) {
            TestSupport::clickButton(form, 2);
            return;
        }
        if (turns > 0)
            QTimer::singleShot(0, [form, turns] { closeWhenShown(form, turns - 1); });
    }

private slots:
    void init()
    {
        theApp().m_pStudentConnection.reset();
        m_folder = std::make_unique<TempProgramFolder>();
        QVERIFY(StudentDatabase::open(theApp().m_pStudentConnection).failure.isEmpty());
        m_group = store()
                      .importGroup({2020, QStringLiteral("1班"), QStringLiteral("上")},
                                   {QStringLiteral("甲"), QStringLiteral("乙")}, QStringLiteral("男"))
                      .groupId;
        m_dlg = std::make_unique<CStudentInfoDlg>();
        m_dlg->show();
        m_page = m_dlg->m_pageRoster;
        m_dlg->m_tabSheet->setCurrentIndex(1);
    }

    void cleanup()
    {
        BackgroundWorker::setRunner([](const BackgroundWorker::Job &job) { job(); });
        m_dlg.reset();
        theApp().m_pStudentConnection.reset();
        m_folder.reset();
    }

    void aClickBeforeThePhotoIsReadShowsOnlyTheStudentClicked()
    {
        // Photos are read off the window's thread: here they wait until the test runs them.
        ScriptedPrompt prompt;
        storePhoto(1, Qt::red);
        storePhoto(2, Qt::blue);
        QList<BackgroundWorker::Job> held;
        BackgroundWorker::setRunner([&held](const BackgroundWorker::Job &job) { held.append(job); });
        clickRow(0);
        QCOMPARE(m_page->m_nLastClickedItem, 0);
        QVERIFY(!shownColour().isValid());
        clickRow(1);
        QCOMPARE(held.size(), 1);
        // The first student's photo comes in after the second student was clicked: not shown.
        held.takeFirst()();
        QVERIFY(!shownColour().isValid());
        QCOMPARE(held.size(), 1);
        held.takeFirst()();
        QVERIFY(TestSupport::isBlue(shownColour()));

        // Read once, a photo shows at once: on the page, and in the edit form.
        clickRow(0);
        QVERIFY(TestSupport::isRed(shownColour()));
        selectRow(0);
        bool inForm = false;
        TestSupport::whenModal([&inForm](QWidget *form) {
            const CPicture &preview = qobject_cast<StudentForm *>(form)->m_picture;
            inForm = preview.m_pPicture && TestSupport::isRed(preview.m_pPicture->image().pixelColor(10, 10));
            TestSupport::clickButton(form, 2);
        });
        m_page->OnBnClickedEditStudent();
        QVERIFY(inForm);
        QVERIFY(held.isEmpty());
        QCOMPARE(prompt.shown.size(), 0);
    }

    void aPhotoChangedNeverShowsTheOneBefore()
    {
        // Each photo is read once and kept; every change of students drops what was kept.
        ScriptedPrompt prompt;
        store().AddStudentRecord(m_group, StudentRecord{3, QStringLiteral("丙"), {}, {}, {}, {}, {}});
        storePhoto(1, Qt::red);
        storePhoto(2, Qt::blue);
        storePhoto(3, Qt::green);
        for (int row : {0, 1, 2})
            clickRow(row);

        // A new photo chosen in the edit form.
        const QString file = m_folder->file(QStringLiteral("res/photo/新.jpg"));
        m_folder->writeFile(QStringLiteral("res/photo/新.jpg"), photo(Qt::yellow));
        selectRow(0);
        TestSupport::whenModal([&](QWidget *form) {
            prompt.fileNameNext(file);
            TestSupport::clickButton(form, 1005);
            TestSupport::clickButton(form, 1);
        });
        m_page->OnBnClickedEditStudent();
        QVERIFY(TestSupport::isYellow(shownColour()));

        // Student 1 renumbered 2: the others follow, 2 becomes 3 and 3 becomes 4.
        clickRow(1);
        clickRow(2);
        prompt.answerNext(Prompt::Ok);
        TestSupport::whenModal([](QWidget *form) {
            edit(form, 1000)->setText(QStringLiteral("2"));
            TestSupport::clickButton(form, 1);
        });
        selectRow(0);
        m_page->OnBnClickedEditStudent();
        QVERIFY(TestSupport::isYellow(shownColour()));
        clickRow(1);
        QVERIFY(TestSupport::isBlue(shownColour()));

        // Student 4 deleted, and a student added in its number without a photo.
        clickRow(2);
        QVERIFY(TestSupport::isGreen(shownColour()));
        prompt.answerNext(Prompt::Ok);
        m_page->OnBnClickedDeleteStudent();
        inAddForm([](QWidget *form) {
            edit(form, 1001)->setText(QStringLiteral("丁"));
            TestSupport::clickButton(form, 1);
        });
        clickRow(2);
        QCOMPARE(m_page->m_nLastClickedItem, 2);
        QVERIFY(!shownColour().isValid());
        QCOMPARE(prompt.texts(), (QStringList{CStuLianxi::renumberQuestion(), QStringLiteral("确定要删除此学生吗？")}));
    }

    void keptPhotosStayWithinTheirBound()
    {
        // Room for two of these photos: the one shown longest ago goes first.
        storePhoto(1, Qt::red);
        storePhoto(2, Qt::blue);
        store().AddStudentRecord(m_group, StudentRecord{3, QStringLiteral("丙"), {}, {}, {}, {}, photo(Qt::green)});
        const qint64 onePhoto = 100 * 75 * 4; // decoded to fit 100 x 100
        PhotoCache photos(nullptr, 2 * onePhoto + 2 * PhotoCache::kEntryBytes);
        photos.setDatabaseFile(theApp().m_pStudentConnection->filePath());
        QObject frame;
        QList<BackgroundWorker::Job> held;
        BackgroundWorker::setRunner([&held](const BackgroundWorker::Job &job) { held.append(job); });
        int shown = 0;
        auto show = [&](int number) {
            photos.want(&frame, {m_group, number}, QSize(100, 100),
                        [&shown](const std::shared_ptr<const Picture> &picture, const QString &) { shown += bool(picture); });
            while (!held.isEmpty())
                held.takeFirst()();
        };
        for (int number : {1, 2, 3})
            show(number);
        QCOMPARE(shown, 3);
        QVERIFY(photos.keptBytes() <= 2 * onePhoto + 2 * PhotoCache::kEntryBytes);
        photos.want(&frame, {m_group, 3}, QSize(100, 100), [&shown](auto, auto) { ++shown; });
        photos.want(&frame, {m_group, 2}, QSize(100, 100), [&shown](auto, auto) { ++shown; });
        QCOMPARE(shown, 5);
        QVERIFY(held.isEmpty());
        photos.want(&frame, {m_group, 1}, QSize(100, 100), [&shown](auto, auto) { ++shown; });
        QCOMPARE(held.size(), 1);
        QCOMPARE(shown, 5);
    }

    void theChooserListsEveryPictureATeacherHas()
    {
        ScriptedPrompt prompt;
        inAddForm([](QWidget *form) { TestSupport::clickButton(form, 1005); });
        QCOMPARE(prompt.fileRequests.size(), 1);
        const QString filter = prompt.fileRequests.first().filter;
        QVERIFY2(filter.startsWith(QStringLiteral("图片文件(*.jpg *.JPG *.jpeg *.JPEG *.png *.PNG *.bmp *.BMP")),
                 qPrintable(filter));
        // As phones, cameras, screenshots and chat programs name them.
        for (const QString &name : {QStringLiteral("IMG_0001.JPG"), QStringLiteral("IMG_0002.jpeg"),
                                    QStringLiteral("DSC01234.JPEG"), QStringLiteral("截图.png"),
                                    QStringLiteral("Screenshot.PNG"), QStringLiteral("扫描.BMP"),
                                    QStringLiteral("表情.gif"), QStringLiteral("微信图片.webp"),
                                    QStringLiteral("扫描.tif")})
            QVERIFY2(filterLists(filter, name), qPrintable(name));
        QVERIFY(!filterLists(filter, QStringLiteral("名单.txt")));
    }

    void theFormStoresThePhotoItShowed()
    {
        // The file changes, or goes, after it was chosen: what the form showed is stored.
        ScriptedPrompt prompt;
        const QString file = m_folder->file(QStringLiteral("res/photo/丙.png"));
        const QByteArray chosen = picture(30, 40, Qt::darkGreen, "PNG");
        m_folder->writeFile(QStringLiteral("res/photo/丙.png"), chosen);
        inAddForm([&](QWidget *form) {
            edit(form, 1001)->setText(QStringLiteral("丙"));
            prompt.fileNameNext(file);
            TestSupport::clickButton(form, 1005);
            m_folder->writeFile(QStringLiteral("res/photo/丙.png"), picture(50, 10, Qt::red));
            TestSupport::clickButton(form, 1);
        });
        QCOMPARE(store().student(m_group, 3)->photo, chosen);

        const QByteArray another = picture(20, 20, Qt::darkBlue);
        m_folder->writeFile(QStringLiteral("res/photo/丙.png"), another);
        selectRow(2);
        TestSupport::whenModal([&](QWidget *form) {
            prompt.fileNameNext(file);
            TestSupport::clickButton(form, 1005);
            QFile::remove(file);
            TestSupport::clickButton(form, 1);
        });
        m_page->OnBnClickedEditStudent();
        QCOMPARE(store().student(m_group, 3)->photo, another);
        QCOMPARE(prompt.shown.size(), 0);
    }

    void aPictureTooLargeToShowIsRefusedSayingSo()
    {
        // A bitmap whose header states 16000 x 16000 pixels: a gigabyte decoded.
        ScriptedPrompt prompt;
        QByteArray huge = picture(1, 1, Qt::white);
        qToLittleEndian<qint32>(16000, huge.data() + 18);
        qToLittleEndian<qint32>(16000, huge.data() + 22);
        m_folder->writeFile(QStringLiteral("res/photo/大.bmp"), huge);
        const QString file = m_folder->file(QStringLiteral("res/photo/大.bmp"));
        QStringList seen;
        inAddForm([&](QWidget *form) {
            prompt.fileNameNext(file);
            TestSupport::clickButton(form, 1005);
            seen << edit(form, 1006)->text()
                 << QString::number(bool(qobject_cast<StudentForm *>(form)->m_picture.m_pPicture));
        });
        QCOMPARE(prompt.texts(),
                 QStringList{QStringLiteral("%1 图片太大，无法显示，不能用作照片，请把它缩小后再选，或另选一张照片。")
                                 .arg(QDir::toNativeSeparators(file))});
        QCOMPARE(seen, (QStringList{QString(), QStringLiteral("0")}));
    }

    void phonePhotosStandTheWayUpTheySay()
    {
        // A portrait photo stored as landscape pixels with orientation 6.
        ScriptedPrompt prompt;
        const QByteArray phone = TestSupport::withExifOrientation(TestSupport::redLeftBlueRight(), 6);
        StudentRecord first = *store().student(m_group, 1);
        store().SaveStudentEdit(m_group, 1, first, phone, false);
        auto upright = [](const PhotoFrame *frame, const CPicture &shown) {
            const QImage &image = shown.m_pPicture->image();
            return frame->width() < frame->height() && TestSupport::isRed(image.pixelColor(image.width() / 2, 2))
                && TestSupport::isBlue(image.pixelColor(image.width() / 2, image.height() - 3));
        };
        clickRow(0);
        QVERIFY(upright(m_page->m_staticPhoto, m_page->m_picture));

        // So in the edit form; saved, the stored bytes are the phone's own.
        bool inForm = false;
        selectRow(0);
        TestSupport::whenModal([&](QWidget *form) {
            const auto *studentForm = qobject_cast<StudentForm *>(form);
            inForm = upright(studentForm->m_staticPhoto, studentForm->m_picture);
            edit(form, 1002)->setText(QStringLiteral("新地址"));
            TestSupport::clickButton(form, 1);
        });
        m_page->OnBnClickedEditStudent();
        QVERIFY(inForm);
        QCOMPARE(store().student(m_group, 1)->address, std::optional<QString>(QStringLiteral("新地址")));
        QCOMPARE(store().student(m_group, 1)->photo, phone);
        QCOMPARE(prompt.shown.size(), 0);
    }
};

PELLOR_WIDGET_TEST_MAIN(TestPhotos)
#include "tst_photos.moc"
