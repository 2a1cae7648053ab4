#include "GroupSelection.h"

#include "platform/base/NumberText.h"

namespace GroupSelection {

Listing list(const QList<SemesterRecord> &semesters, int groupId, int classId)
{
    Listing listing;
    listing.groupId = groupId;
    listing.classId = classId;
    int lastId = 0;
    int lastGroupId = 0;
    for (const SemesterRecord &semester : semesters) {
        if (!semester.listed())
            continue;
        listing.rows.append({semester.ticked, NumberText::fromInt(*semester.year), *semester.group,
                             *semester.semester, semester.id});
        lastId = semester.id;
        if (semester.id == classId)
            listing.selectedRow = static_cast<int>(listing.rows.size()) - 1;
        // A row without a group number keeps the number of the row before it.
        if (semester.groupId)
            lastGroupId = *semester.groupId;
    }
    if (listing.rows.isEmpty()) {
        // Nothing listed, nothing current: no page may act on a semester the teacher deleted.
        listing.groupId = 0;
        listing.classId = 0;
    } else if (listing.selectedRow < 0) {
        listing.selectedRow = static_cast<int>(listing.rows.size()) - 1;
        listing.classId = lastId;
        listing.groupId = lastGroupId;
    }
    return listing;
}

Click click(const StudentStore &store, const Row &row, int groupId, int classId)
{
    Click result;
    result.groupId = groupId;
    result.classId = classId;
    try {
        const std::optional<SemesterRecord> found = store.semester(row.id);
        if (found) {
            result.classId = found->id;
            if (found->groupId)
                result.groupId = *found->groupId;
        }
        // Only a tick the teacher changed is written: a file that cannot be written (a
        // read-only program folder) still lets every group be looked at.
        if (!found || found->ticked != row.ticked) {
            try {
                store.setTick(row.id, row.ticked);
            } catch (const DbError &) {
                if (found)
                    result.storedTick = found->ticked;
                throw;
            }
        }
        result.info = store.headCount(result.groupId).text();
    } catch (const DbError &error) {
        result.error = error.message();
    }
    return result;
}

} // namespace GroupSelection
