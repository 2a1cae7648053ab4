#include "BrowserReload.h"

namespace BrowserReload {

Plan onTabChange(int tab, int currentSubject, int lessonsLoadedFor)
{
    Plan plan;
    if (tab == TabSubjects)
        return plan;
    plan.lessons = currentSubject >= 0 && lessonsLoadedFor != currentSubject;
    plan.points = tab == TabPoints;
    plan.questions = tab == TabQuestions;
    return plan;
}

} // namespace BrowserReload
