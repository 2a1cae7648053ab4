#include "PhotoCache.h"

#include "core/StudentStore.h"

#include "platform/base/Database.h"

#include <atomic>

PhotoCache::PhotoCache(QObject *parent, qint64 budgetBytes)
    : QObject(parent)
    , m_budgetBytes(budgetBytes)
{
    // Before the worker decodes anything.
    Picture::prepareDecoding();
    // Queued when the worker tells, at once when a test runs the read on this thread.
    connect(this, &PhotoCache::readDone, this, &PhotoCache::takeDoneReads);
}

PhotoCache::~PhotoCache() = default;

quint64 PhotoCache::keyOf(const Student &student)
{
    return (quint64(quint32(student.groupId)) << 32) | quint32(student.number);
}

bool PhotoCache::serves(const std::shared_ptr<const Picture> &picture, const QSize &decodedFor, const QSize &room)
{
    if (!picture)
        return true;
    // A picture smaller than the room it was decoded for is whole: no room gets more of it.
    const QSize size = picture->image().size();
    const bool whole = size.width() < decodedFor.width() && size.height() < decodedFor.height();
    return whole || (decodedFor.width() >= room.width() && decodedFor.height() >= room.height());
}

void PhotoCache::setDatabaseFile(const QString &path)
{
    m_databaseFile = path;
    while (!m_kept.empty())
        drop(m_kept.begin());
    ++m_generation;
}

void PhotoCache::reserveRoom(const QSize &room)
{
    m_room = m_room.expandedTo(room);
}

void PhotoCache::want(QObject *frame, const Student &student, const QSize &room, Show show)
{
    cancel(frame);
    m_room = m_room.expandedTo(room);
    // Once for each frame: a frame destroyed wants nothing any more.
    connect(frame, &QObject::destroyed, this, &PhotoCache::cancel, Qt::UniqueConnection);
    const auto kept = m_keptByStudent.constFind(keyOf(student));
    if (kept != m_keptByStudent.constEnd() && serves((*kept)->picture, (*kept)->decodedFor, room)) {
        m_kept.splice(m_kept.begin(), m_kept, *kept);
        show(m_kept.front().picture, QString());
        return;
    }
    m_wanted.append({frame, student, room, std::move(show)});
    startNextRead();
}

void PhotoCache::cancel(const QObject *frame)
{
    m_wanted.removeIf([frame](const Wanted &wanted) { return wanted.frame == frame; });
}

void PhotoCache::forgetGroup(int groupId)
{
    for (auto kept = m_kept.begin(); kept != m_kept.end();) {
        const auto next = std::next(kept);
        if (kept->student.groupId == groupId)
            drop(kept);
        kept = next;
    }
    ++m_generation;
}

void PhotoCache::keep(const Student &student, const std::shared_ptr<const Picture> &picture,
                      const QSize &decodedFor)
{
    const auto before = m_keptByStudent.constFind(keyOf(student));
    if (before != m_keptByStudent.constEnd())
        drop(*before);
    const qint64 bytes = kEntryBytes + (picture ? picture->image().sizeInBytes() : 0);
    if (bytes > m_budgetBytes)
        return;
    m_kept.push_front({student, picture, decodedFor, bytes});
    m_keptByStudent.insert(keyOf(student), m_kept.begin());
    m_keptBytes += bytes;
    while (m_keptBytes > m_budgetBytes)
        drop(std::prev(m_kept.end()));
}

void PhotoCache::drop(std::list<Kept>::iterator kept)
{
    m_keptBytes -= kept->bytes;
    m_keptByStudent.remove(keyOf(kept->student));
    m_kept.erase(kept);
}

void PhotoCache::startNextRead()
{
    if (m_reading || m_wanted.isEmpty())
        return;
    const Reading reading{m_wanted.last().student, m_room, m_generation};
    m_reading = reading;
    m_worker.start([this, file = m_databaseFile, reading] {
        Read photo = read(file, reading.student, reading.room);
        {
            const std::lock_guard<std::mutex> lock(m_doneLock);
            m_done.emplace_back(reading, std::move(photo));
        }
        emit readDone(QPrivateSignal());
    });
}

void PhotoCache::takeDoneReads()
{
    std::vector<std::pair<Reading, Read>> done;
    {
        const std::lock_guard<std::mutex> lock(m_doneLock);
        done.swap(m_done);
    }
    for (const auto &[reading, photo] : done)
        finishRead(reading, photo);
}

PhotoCache::Read PhotoCache::read(const QString &databaseFile, const Student &student, const QSize &room)
{
    static std::atomic<int> connections{0};
    Read photo;
    QByteArray bytes;
    try {
        // A connection serves only the thread that opened it.
        Database db(QStringLiteral("photos%1").arg(++connections));
        db.open(databaseFile, Database::Access::ReadOnly);
        bytes = StudentStore(db).photo(student.groupId, student.number);
    } catch (const DbError &error) {
        photo.failure = error.message();
        return photo;
    }
    // Decoded with the file let go, so that no change the teacher saves waits for it.
    photo.picture = Picture::decode(bytes, room).picture;
    return photo;
}

void PhotoCache::finishRead(const Reading &reading, const Read &photo)
{
    m_reading.reset();
    if (reading.generation == m_generation) {
        if (photo.failure.isEmpty())
            keep(reading.student, photo.picture, reading.room);
        QList<Wanted> ready;
        for (auto wanted = m_wanted.begin(); wanted != m_wanted.end();) {
            if (wanted->student == reading.student && serves(photo.picture, reading.room, wanted->room)) {
                ready.append(std::move(*wanted));
                wanted = m_wanted.erase(wanted);
            } else {
                ++wanted;
            }
        }
        for (const Wanted &wanted : ready)
            wanted.show(photo.picture, photo.failure);
    }
    startNextRead();
}
