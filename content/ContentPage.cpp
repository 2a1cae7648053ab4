#include "ContentPage.h"

#include "controls/CListCtrlCl.h"
#include "platform/gui/Prompt.h"

#include <QMouseEvent>

QString ContentPage::NotEnteredText()
{
    return QStringLiteral("还未录入，请重新编辑此项");
}

QString ContentPage::NoLessonText()
{
    return QStringLiteral("请先在“选择课时”中选择课时");
}

QString ContentPage::NoPointText()
{
    return QStringLiteral("请先在“本课知识点”中选择知识点");
}

bool ContentPage::HasDatabase() const
{
    return m_pConnection && m_pConnection->isOpen();
}

ContentStore ContentPage::store() const
{
    if (!m_pConnection)
        throw DbError(ContentStore::notOpenText());
    return ContentStore(*m_pConnection);
}

void ContentPage::ShowError(const QString &text, const QString &caption)
{
    Prompt::box(this, text, caption, Prompt::OkOnly, Prompt::NoIcon);
}

bool ContentPage::Stored(const std::function<void()> &write, const QString &caption, bool *rowGone)
{
    try {
        write();
    } catch (const DbError &error) {
        ShowError(error.message(), caption);
        if (rowGone && dynamic_cast<const RowGoneError *>(&error))
            *rowGone = true;
        return false;
    }
    return true;
}

int ContentPage::TakeClickedRow(ReportListView &list, int item)
{
    if (item >= 0)
        return item;
    const int count = list.GetItemCount();
    if (count == 0)
        return -1;
    list.clearSelection();
    list.SetItemSelected(count - 1, true);
    return count - 1;
}

void ContentPage::TakeClicksBelowRows(ReportListView &list)
{
    list.viewport()->installEventFilter(this);
}

bool ContentPage::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        auto list = qobject_cast<ReportListView *>(watched->parent());
        auto mouse = static_cast<QMouseEvent *>(event);
        if (list && mouse->button() == Qt::LeftButton && list->HitTest(mouse->position().toPoint()) < 0) {
            if (type == QEvent::MouseButtonPress)
                emit list->NMClick(-1);
            else
                emit list->NMDblclk(-1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int ContentPage::RowKey(const ReportListView &list, int item)
{
    return static_cast<int>(list.GetItemData(item));
}

void ContentListLook::applyTo(CListCtrlCl &list) const
{
    list.SetExtendedStyle(list.GetExtendedStyle() | ReportListView::LVS_EX_GRIDLINES
                          | ReportListView::LVS_EX_FULLROWSELECT);
    for (const auto &[column, color] : columnBackColors)
        list.SetColumnBackColor(column, color);
    list.SetBkColor(background);
    list.m_nRowHeight = rowHeight;
    list.m_Header.m_fHeightFactor = headerHeightFactor;
    list.m_Header.m_nFontHeight = headerFontHeight;
    list.m_Header.m_nFontWidth = headerFontWidth;
    list.m_Header.m_crText = headerText;
    list.m_Header.m_nR = gradientR;
    list.m_Header.m_nG = gradientG;
    list.m_Header.m_nB = gradientB;
    list.m_Header.m_nGradient = gradientStep;
    list.m_crText = text;
    list.m_nFontHeight = fontHeight;
    list.m_nFontWidth = fontWidth;
    list.RefreshLayout();
}

ContentListLook ContentListLook::subjectsAndLessons()
{
    ContentListLook look;
    look.columnBackColors = {{0, QColor(10, 150, 20)}};
    look.background = QColor(50, 10, 10);
    look.rowHeight = 25;
    look.headerHeightFactor = 1.5f;
    look.headerFontHeight = 16;
    look.headerText = QColor(255, 200, 100);
    look.gradientR = 100;
    look.gradientG = 255;
    look.gradientB = 100;
    look.gradientStep = 8;
    look.text = QColor(0, 255, 255);
    look.fontHeight = 15;
    return look;
}

ContentListLook ContentListLook::textRows(const QColor &firstColumn)
{
    ContentListLook look;
    look.columnBackColors = {{0, firstColumn}, {1, QColor(204, 153, 102)}};
    look.background = QColor(144, 144, 144);
    look.rowHeight = 100;
    look.headerHeightFactor = 1.5f;
    look.headerFontHeight = 16;
    look.headerText = QColor(255, 200, 100);
    look.gradientR = 100;
    look.gradientG = 255;
    look.gradientB = 100;
    look.gradientStep = 5;
    look.text = QColor(10, 10, 10);
    look.fontHeight = 20;
    return look;
}
