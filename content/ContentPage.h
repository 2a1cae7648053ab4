#pragma once

#include "core/ContentStore.h"

#include "controls/CTabSheet.h"
#include "platform/base/Database.h"

#include <QColor>
#include <QList>
#include <QPair>
#include <QWidget>

#include <functional>

class CListCtrlCl;
class ReportListView;

// What the question browser's pages share: the content connection the browser hands
// them, the store on it, and how they report its failures.
class ContentPage : public QWidget, public CTabPage
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    DatabaseConnection m_pConnection;

    // What a list shows for a text that was never entered (NULL).
    static QString NotEnteredText();
    // What a page says when the teacher acts on a lesson or a knowledge point before one is
    // current.
    static QString NoLessonText();
    static QString NoPointText();

protected:
    // The connection is open: without one a page loads nothing and says nothing, the browser
    // having said why.
    bool HasDatabase() const;
    // The store on the page's connection. A page given no connection fails as one on an
    // unopened database does, with a message instead of a crash.
    ContentStore store() const;
    // A box owned by the page, with the error's text and the operation's caption.
    void ShowError(const QString &text, const QString &caption);
    // Runs a write of an entry dialog's "确定" or "保存"; false, after showing the failure under
    // the caption, keeps the dialog open with what was typed. rowGone, when given, is set once
    // a failure found the row deleted by another program, so that the list is read again.
    bool Stored(const std::function<void()> &write, const QString &caption, bool *rowGone = nullptr);
    // The row a click takes: the one clicked, or below the rows the last one, which is
    // then selected; -1 when the list is empty.
    static int TakeClickedRow(ReportListView &list, int item);
    // The key of the database row a list row shows.
    static int RowKey(const ReportListView &list, int item);
    // A press or double-click below the rows reaches the page as the list's click on no
    // row, and not the view, which would clear on the release the selection it makes.
    void TakeClicksBelowRows(ReportListView &list);

    bool eventFilter(QObject *watched, QEvent *event) override;
};

// Colours, fonts and sizes of a page's list, applied after its columns exist.
struct ContentListLook
{
    QList<QPair<int, QColor>> columnBackColors;
    QColor background;
    int rowHeight = 0;
    float headerHeightFactor = 1.0f;
    int headerFontHeight = 15;
    int headerFontWidth = 0;
    QColor headerText;
    int gradientR = 171;
    int gradientG = 199;
    int gradientB = 235;
    int gradientStep = 8;
    QColor text;
    int fontHeight = 12;
    int fontWidth = 0;

    // Also grid lines and full-row select.
    void applyTo(CListCtrlCl &list) const;

    // The subjects and lessons lists: green first column on dark red, cyan text.
    static ContentListLook subjectsAndLessons();
    // The knowledge-points and questions lists: rows of 100 pixels, dark text on grey, the
    // texts' column in a warm brown.
    static ContentListLook textRows(const QColor &firstColumn);
};
