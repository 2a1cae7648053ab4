#include "BrowserReload.h"

namespace BrowserReload {

Plan onTabChange(int tab, int currentSubject, bool lessonsShowCurrent)
{
    Plan plan;
    if (tab == TabSubjects)
        return plan;
    plan.lessons = currentSubject >= 0 && !lessonsShowCurrent;
    plan.points = tab == TabPoints;
    plan.questions = tab == TabQuestions;
    return plan;
}

} // namespace BrowserReload
