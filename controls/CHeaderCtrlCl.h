#pragma once

#include "CellText.h"
#include "ControlFont.h"

#include <QColor>
#include <QHeaderView>
#include <QStringList>

// Header of the coloured list: a vertical gradient per column, its own stored titles with a
// per-column alignment, and a height scaled by a factor. The owning page writes the members
// directly and then calls the list's RefreshLayout.
class CHeaderCtrlCl : public QHeaderView
{
    Q_OBJECT

public:
    explicit CHeaderCtrlCl(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    // The face the titles are drawn in, at the header's font height and width.
    const QFont &titleFont() const { return m_titleFont.get(m_nFontHeight, m_nFontWidth); }

    QStringList m_arrTitles;  // drawn in place of the model's headings, one per column
    QString m_strFormat;      // per column: '0' left, '1' centred, '2' right
    int m_nR = 171;
    int m_nG = 199;
    int m_nB = 235;
    int m_nGradient = 8;      // taken off each channel per pixel row
    float m_fHeightFactor = 1.0f;
    int m_nFontHeight = 15;
    int m_nFontWidth = 0;
    QColor m_crText = Qt::black;

protected:
    void paintEvent(QPaintEvent *event) override;
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    // The gradient over columns left to right (exclusive), the viewport's height tall.
    void fillGradient(QPainter *painter, int left, int right) const;

    mutable CellText::GradientStrip m_gradient;
    mutable ControlFont::Cached m_titleFont { QStringLiteral("宋体") };
};
