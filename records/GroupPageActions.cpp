#include "GroupPageActions.h"

#include "CStuAddBanjiDlg.h"
#include "CStuEditXueqiDlg.h"
#include "CStudentAddxueqiDlg.h"

#include "core/RosterFile.h"

#include "platform/base/NumberText.h"
#include "platform/gui/Prompt.h"

namespace GroupPageActions {

std::optional<int> ImportGroup(QWidget *page, const StudentStore &store)
{
    CStuAddBanjiDlg dlg(page);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    const SemesterKey first{dlg.m_nYear, dlg.m_strGroup, dlg.m_strSemester};

    RosterFile roster;
    if (!dlg.m_strRosterPath.isEmpty()) {
        std::optional<RosterFile> read = RosterFile::read(dlg.m_strRosterPath);
        if (!read) {
            Prompt::app(QStringLiteral("打不开学名册,请检查是否已打开此文档，如打开，则需关闭"));
            return std::nullopt;
        }
        roster = *read;
    }

    try {
        const StudentStore::ImportResult result = store.importGroup(first, roster.names, roster.gender(), roster.lines);
        if (result.outcome == StudentStore::Outcome::Duplicate) {
            Prompt::app(QStringLiteral("已经存在此小组，只需为此小组增加新的学期即可"));
            return std::nullopt;
        }
        return result.groupId;
    } catch (const DbError &error) {
        Prompt::box(page, error.message(), QStringLiteral("导入小组失败"), Prompt::OkOnly, Prompt::NoIcon);
        return std::nullopt;
    }
}

std::optional<NewSemester> AddSemester(QWidget *page, const StudentStore &store,
                                       const std::optional<GroupSelection::Row> &selected, int currentGroupId)
{
    if (!selected) {
        Prompt::app(QStringLiteral("请选择一个小组"));
        return std::nullopt;
    }
    CStudentAddxueqiDlg dlg(page);
    dlg.m_strYear = selected->year;
    dlg.m_strGroup = selected->group;
    dlg.m_strSemester = QStringLiteral("新学期的名字");
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    const SemesterKey key{NumberText::toInt(selected->year), selected->group, dlg.m_strSemester};

    try {
        // The semester belongs to the group the teacher selected, whichever group was
        // current, so its row, its number and its roster copy agree.
        const std::optional<SemesterRecord> row = store.semester(selected->id);
        const int groupId = row && row->groupId ? *row->groupId : currentGroupId;
        const StudentStore::SemesterResult result = store.addSemester(key, groupId);
        if (result.outcome == StudentStore::Outcome::Duplicate) {
            Prompt::app(QStringLiteral("已经存在此学期，新从新设计新学期的名字"));
            return std::nullopt;
        }
        return NewSemester{groupId, result.classId};
    } catch (const DbError &error) {
        Prompt::box(page, error.message(), QStringLiteral("增加新学期失败"), Prompt::OkOnly, Prompt::NoIcon);
        return std::nullopt;
    }
}

std::optional<GroupSelection::Row> EditSemester(QWidget *page, const StudentStore &store,
                                                const std::optional<GroupSelection::Row> &selected)
{
    if (!selected) {
        Prompt::app(QStringLiteral("您还没有选择需要编辑的项目"));
        return std::nullopt;
    }
    CStuEditXueqiDlg dlg(page);
    dlg.m_nYear = NumberText::toInt(selected->year);
    dlg.m_strGroup = selected->group;
    dlg.m_strSemester = selected->semester;
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;

    try {
        // The row the dialog showed is the row renamed, even when another one is current.
        store.updateSemester(selected->id, {dlg.m_nYear, dlg.m_strGroup, dlg.m_strSemester});
    } catch (const DbError &error) {
        Prompt::app(error.message());
        return std::nullopt;
    }
    GroupSelection::Row row = *selected;
    row.year = NumberText::fromInt(dlg.m_nYear);
    row.group = dlg.m_strGroup;
    row.semester = dlg.m_strSemester;
    return row;
}

bool DeleteSemester(QWidget *page, const StudentStore &store, const std::optional<GroupSelection::Row> &selected)
{
    if (Prompt::box(page, QStringLiteral("删除会导致与之对应的成绩表不可用， 是否确定删除"),
                    QStringLiteral("删除信息"), Prompt::OkCancel, Prompt::NoIcon)
        != Prompt::Ok)
        return false;
    if (!selected) {
        Prompt::app(QStringLiteral("请选择要删除的内容，请谨慎选择，以免误删信息"));
        return false;
    }
    try {
        store.deleteSemester(selected->id);
        return true;
    } catch (const DbError &error) {
        Prompt::box(page, error.message(), QStringLiteral("删除数据失败"), Prompt::OkOnly, Prompt::NoIcon);
        return false;
    }
}

bool StoreTicks(const StudentStore &store, const QList<GroupSelection::Row> &rows)
{
    QList<QPair<int, bool>> ticks;
    for (const GroupSelection::Row &row : rows)
        ticks.append({row.id, row.ticked});
    try {
        store.setTicks(ticks);
    } catch (const DbError &error) {
        Prompt::app(error.message());
        return false;
    }
    return true;
}

} // namespace GroupPageActions
