#include "ContentSelection.h"

#include "application/CPellorApp.h"

namespace ContentSelection {

void setSubject(int kemuId)
{
    CPellorApp &app = theApp();
    if (app.m_nKemuID != kemuId) {
        app.m_nKeshiID = -1;
        app.m_nZhishidianID = -1;
    }
    app.m_nKemuID = kemuId;
}

void setLesson(int keshiId)
{
    CPellorApp &app = theApp();
    if (app.m_nKeshiID != keshiId)
        app.m_nZhishidianID = -1;
    app.m_nKeshiID = keshiId;
}

} // namespace ContentSelection
