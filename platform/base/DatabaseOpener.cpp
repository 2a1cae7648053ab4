#include "DatabaseOpener.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>

namespace DatabaseOpener {

namespace {

struct FileState
{
    int version = 0;
    bool hasMainTable = false;
    bool hasStoreTables = false;
};

FileState stateOf(const Database &db, const StoreLayout &layout)
{
    FileState state;
    QSqlQuery version = db.exec(QStringLiteral("PRAGMA user_version"));
    state.version = db.nextRow(version) ? version.value(0).toInt() : 0;
    version.finish();

    QStringList patterns;
    for (const QString &pattern : layout.tablePatterns)
        patterns << QRegularExpression::escape(pattern).replace(QStringLiteral("%1"), QStringLiteral("-?[0-9]+"));
    const QRegularExpression storeTable(QStringLiteral("^(%1)$").arg(patterns.join(u'|')),
                                        QRegularExpression::CaseInsensitiveOption);
    QSqlQuery tables = db.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'"));
    while (db.nextRow(tables)) {
        const QString name = tables.value(0).toString();
        if (name.compare(layout.mainTable, Qt::CaseInsensitive) == 0)
            state.hasMainTable = true;
        else if (!patterns.isEmpty() && storeTable.match(name).hasMatch())
            state.hasStoreTables = true;
    }
    return state;
}

// Throws when the file must be left as it is; true when it needs writing.
bool needsWriting(const Database &db, const StoreLayout &layout, const FileState &state)
{
    if (state.version < 0) {
        // No version of this program writes one.
        throw DbError(QStringLiteral("%1 的数据库版本 %2 无效，它不是本程序建立的，没有作任何改动。")
                          .arg(db.fileName())
                          .arg(state.version));
    }
    if (state.version > layout.version()) {
        throw DbError(QStringLiteral("%1 是更新版本的本程序建立的（数据库版本 %2，本程序只认识到版本 %3），"
                                     "为免损坏其中的数据，没有打开它，也没有作任何改动。请用新版本的程序打开。")
                          .arg(db.fileName())
                          .arg(state.version)
                          .arg(layout.version()));
    }
    if (!state.hasMainTable && state.hasStoreTables) {
        throw DbError(QStringLiteral("%1 缺少主表 %2，但还有本程序的其他表。为免其中的数据被隐藏，没有新建 %2，"
                                     "也没有作任何改动。\n文件：%3")
                          .arg(db.fileName(), layout.mainTable, QDir::toNativeSeparators(db.filePath())));
    }
    return !state.hasMainTable || state.version < layout.version();
}

} // namespace

void ensureLayout(const Database &db, const StoreLayout &layout)
{
    // Read first, so that a file that must not be written is not even locked for writing
    // (and a read-only file that is up to date opens).
    if (!needsWriting(db, layout, stateOf(db, layout)))
        return;
    Transaction transaction(db);
    // Read again under the write lock: another program may have changed the file meanwhile.
    const FileState state = stateOf(db, layout);
    if (!needsWriting(db, layout, state))
        return;
    // Nothing is written into a damaged file: even a write that fails and is rolled back
    // changes its bytes (the roll-back pads the file out to whole pages).
    db.checkIntact();
    if (!state.hasMainTable)
        layout.createMainTable();
    else
        for (int version = state.version; version < layout.version(); ++version)
            layout.upgradeSteps.at(version)();
    db.exec(QStringLiteral("PRAGMA user_version = %1").arg(layout.version()));
    transaction.commit();
}

QString openFailureText(const QString &fileName, const QString &error)
{
    return QStringLiteral("%1 路径可能不正确 或已经打开 或 %2").arg(fileName, error);
}

Opening open(DatabaseConnection &published, const QString &filePath,
             const std::function<void(const Database &)> &ensureLayout)
{
    if (published) {
        if (published->isOpen() && !published->fileReplaced())
            return {published, {}, {}};
        // Its file was moved, replaced or deleted: this opening takes up the file on disk.
        published.reset();
    }
    const QString fileName = QFileInfo(filePath).fileName();
    // Each attempt gets a connection name of its own: the pages may still hold the
    // connection of a failed attempt.
    static int attempts = 0;
    auto connection = std::make_shared<Database>(QStringLiteral("%1-%2").arg(fileName).arg(++attempts));
    // An empty file is what a set-up that failed in an earlier version left: it holds nothing
    // either, so it is announced as missing too.
    const QFileInfo found(filePath);
    const QString notice = !found.exists() || (found.isFile() && found.size() == 0)
        ? QStringLiteral("没有找到 %1，现在新建一个空的 %1。\n文件：%2").arg(fileName, QDir::toNativeSeparators(filePath))
        : QString();
    // The files this opening makes; a set-up that fails removes them, so that the next opening
    // finds the file missing again rather than empty.
    QStringList made;
    for (const char *suffix : {"", "-journal", "-wal", "-shm"}) {
        const QString path = filePath + QLatin1String(suffix);
        if (!QFileInfo::exists(path))
            made << path;
    }
    const auto fail = [&](const QString &failure) {
        connection->refuse(failure);
        for (const QString &path : std::as_const(made))
            QFile::remove(path);
        return Opening{connection, failure, {}};
    };
    try {
        connection->open(filePath);
    } catch (const DbError &error) {
        return fail(openFailureText(fileName, error.message()));
    }
    try {
        ensureLayout(*connection);
    } catch (const DbError &error) {
        return fail(error.message());
    }
    published = connection;
    return {connection, {}, notice};
}

} // namespace DatabaseOpener
