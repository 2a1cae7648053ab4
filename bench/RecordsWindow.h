#pragma once

#include "bench/Comparisons.h"

#include "application/CPellorApp.h"
#include "controls/CTabSheet.h"
#include "records/CStudentInfoDlg.h"

#include <memory>

namespace Bench {

// The records window over db, shown on one of its tabs with a group and semester current,
// laid out and painted: where the records benchmarks time a page's own functions.
inline std::unique_ptr<CStudentInfoDlg> shownRecordsWindow(const std::shared_ptr<Database> &db, int groupId,
    int classId, int tab)
{
    theApp().m_pStudentConnection = db;
    auto window = std::make_unique<CStudentInfoDlg>();
    window->setCurrent(groupId, classId);
    show(*window);
    window->m_tabSheet->setCurrentIndex(tab);
    paint(*window);
    return window;
}

} // namespace Bench
