#pragma once

#include "platform/base/BackgroundWorker.h"
#include "platform/gui/Picture.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>

#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

// The photos of the students the records window shows, decoded only as large as its frames
// show them and kept for the window's life within a bound in bytes: a student clicked again,
// and the edit form, show the photo at once. A photo not kept yet is read from the database
// and decoded by a worker, one at a time, the one asked for last first; a frame gets it when
// it is ready, unless it has asked for another student since. Whatever is kept of a group
// goes whenever its students change.
class PhotoCache : public QObject
{
    Q_OBJECT

public:
    struct Student
    {
        int groupId = 0;
        int number = 0;
        bool operator==(const Student &) const = default;
    };
    // The photo (null: none, or none that shows) or, when it could not be read, why not.
    using Show = std::function<void(const std::shared_ptr<const Picture> &picture, const QString &failure)>;

    // What a kept photo counts beyond its pixels, so that students without one count too.
    static constexpr qint64 kEntryBytes = 256;
    // Many classes of phone photos, each in the largest frame.
    static constexpr qint64 kDefaultBudgetBytes = 64 * 1024 * 1024;

    explicit PhotoCache(QObject *parent = nullptr, qint64 budgetBytes = kDefaultBudgetBytes);
    ~PhotoCache() override;

    // The database file photos are read from from now on, through a connection opened anew:
    // every photo kept goes, since the file may have been replaced at the same path.
    void setDatabaseFile(const QString &path);
    // Photos are decoded at least this large: the room of a frame that shows them later (the
    // edit form's), so that one decoding serves every frame.
    void reserveRoom(const QSize &room);

    // The frame shows the student's photo, fitted into room: at once when it is kept,
    // otherwise once it has been read. What the frame asked for before is forgotten.
    void want(QObject *frame, const Student &student, const QSize &room, Show show);
    // The frame shows no photo any more.
    void cancel(const QObject *frame);
    // The group's students were added, edited, deleted or renumbered.
    void forgetGroup(int groupId);

    qint64 keptBytes() const { return m_keptBytes; }

signals:
    // From the worker: a read is done, for the window's thread to take.
    void readDone(QPrivateSignal);

private:
    struct Wanted
    {
        const QObject *frame;
        Student student;
        QSize room;
        Show show;
    };
    struct Kept
    {
        Student student;
        std::shared_ptr<const Picture> picture;
        QSize decodedFor;
        qint64 bytes;
    };
    struct Read
    {
        std::shared_ptr<const Picture> picture;
        QString failure;
    };
    struct Reading
    {
        Student student;
        QSize room;
        quint64 generation;
    };

    static quint64 keyOf(const Student &student);
    // A picture decoded for one room serves a frame of another.
    static bool serves(const std::shared_ptr<const Picture> &picture, const QSize &decodedFor, const QSize &room);
    // Runs on the worker: the photo read through a connection of its own, then decoded.
    static Read read(const QString &databaseFile, const Student &student, const QSize &room);

    void keep(const Student &student, const std::shared_ptr<const Picture> &picture, const QSize &decodedFor);
    void drop(std::list<Kept>::iterator kept);
    void startNextRead();
    void takeDoneReads();
    void finishRead(const Reading &reading, const Read &read);

    const qint64 m_budgetBytes;
    QString m_databaseFile;
    QSize m_room; // every room asked for: each photo is decoded for all of them
    std::list<Kept> m_kept; // the one shown last first
    QHash<quint64, std::list<Kept>::iterator> m_keptByStudent;
    qint64 m_keptBytes = 0;
    QList<Wanted> m_wanted; // the one asked for last last
    std::optional<Reading> m_reading;
    // Rises with every change that makes a photo read before it stale.
    quint64 m_generation = 0;
    // Reads the worker has done and the window's thread has not taken yet.
    std::mutex m_doneLock;
    std::vector<std::pair<Reading, Read>> m_done;
    // Last, so that it goes first: it waits for the read under way while all it reports to lives.
    BackgroundWorker m_worker;
};
