#include "BrowserReload.h"

namespace BrowserReload {

Plan onTabChange(int tab, int currentSubject, int lessonsLoadedFor)
{
    Plan plan;
    if (currentSubject < 0 || tab == TabSubjects)
        return plan;
    plan.lessons = lessonsLoadedFor != currentSubject;
    plan.points = tab == TabPoints;
    plan.questions = tab == TabQuestions;
    return plan;
}

} // namespace BrowserReload
