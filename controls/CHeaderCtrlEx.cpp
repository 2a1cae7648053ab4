#include "CHeaderCtrlEx.h"

#include "CellText.h"
#include "ControlFont.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QRect kCheckBoxRect(4, 3, 15, 15);
const QColor kSeparator(155, 155, 155);
} // namespace

CHeaderCtrlEx::CHeaderCtrlEx(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setHighlightSections(false);
    setMinimumSectionSize(0);
    connect(this, &QHeaderView::sectionResized, this, [this] {
        if (m_bPressed)
            m_bResizedWhilePressed = true;
    });
}

CHeaderCtrlEx::~CHeaderCtrlEx() = default;

QSize CHeaderCtrlEx::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    size.setHeight(static_cast<int>(static_cast<float>(size.height()) * m_fHeightFactor));
    return size;
}

int CHeaderCtrlEx::OnReset()
{
    return 1;
}

void CHeaderCtrlEx::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const QRect client = viewport()->rect();
    for (int y = client.top(); y <= client.top() + client.height(); ++y)
        painter.fillRect(QRect(client.left(), y, client.width(), 1),
                         CellText::gradientRow(m_wR, m_wG, m_wB, m_nGradient, y - client.top()));

    painter.setFont(ControlFont::make(QStringLiteral("新宋体"), 13, 0, 400));
    const int ascent = painter.fontMetrics().ascent();
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (isSectionHidden(logical))
            continue;
        const int left = sectionViewportPosition(logical);
        const int right = left + sectionSize(logical);
        painter.setPen(QPen(kSeparator, 1));
        // The line stops one pixel short of bottom - 3.
        painter.drawLine(right, client.top() + 3, right, client.top() + client.height() - 4);
        if (logical < int(m_vecTitles.size())) {
            painter.setPen(m_crText);
            painter.drawText(QPoint(left + 6, client.top() + 2 + ascent), m_vecTitles[logical]);
        }
    }
    painter.end();
    createCheckBoxIfNeeded();
}

void CHeaderCtrlEx::createCheckBoxIfNeeded()
{
    if (!m_bCreateCheckBox || m_vecTitles.empty() || !m_vecTitles.front().isEmpty())
        return;
    m_pCheckBox = new QCheckBox(this);
    m_pCheckBox->setObjectName(QStringLiteral("selectAll"));
    m_pCheckBox->setGeometry(kCheckBoxRect);
    connect(m_pCheckBox, &QCheckBox::clicked, this, &CHeaderCtrlEx::OnCheckBoxClicked);
    m_pCheckBox->show();
    m_bCreateCheckBox = false;
}

void CHeaderCtrlEx::OnCheckBoxClicked()
{
    m_bAllChecked = !m_bAllChecked;
    emit checkAll(m_bAllChecked ? 1 : 0);
    viewport()->update();
}

void CHeaderCtrlEx::mousePressEvent(QMouseEvent *event)
{
    m_bPressed = true;
    m_bResizedWhilePressed = false;
    QHeaderView::mousePressEvent(event);
}

void CHeaderCtrlEx::mouseReleaseEvent(QMouseEvent *event)
{
    QHeaderView::mouseReleaseEvent(event);
    const bool resized = m_bResizedWhilePressed;
    m_bPressed = false;
    m_bResizedWhilePressed = false;
    if (resized)
        emit columnResized();
}

void CHeaderCtrlEx::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}
