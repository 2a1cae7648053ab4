#pragma once

// Which pages of the question browser a change of tab reloads.
namespace BrowserReload {

enum Tab { TabSubjects = 0, TabLessons = 1, TabPoints = 2, TabQuestions = 3 };

struct Plan
{
    bool lessons = false;
    bool points = false;
    bool questions = false;
};

// The points and questions pages load on every change to their tab, also without a current
// subject (below 0): they then empty themselves instead of showing another subject's rows.
// The lessons page follows the current subject: it reloads when it does not show the current
// subject and lesson, on a change to its own tab and before the points or questions page
// loads, so that those work on the lesson it shows; without a subject it keeps its rows.
Plan onTabChange(int tab, int currentSubject, bool lessonsShowCurrent);

} // namespace BrowserReload
