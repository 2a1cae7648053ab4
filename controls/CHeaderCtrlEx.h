#pragma once

#include <QColor>
#include <QHeaderView>
#include <QString>
#include <vector>

class QCheckBox;

// Header of the group list: a pale gradient, separators, its own titles, and a select-all check
// box over the first column (whose title is empty). It tells the list of a click on that box
// and of the end of a column drag; the page's refill notice changes nothing.
class CHeaderCtrlEx : public QHeaderView
{
    Q_OBJECT

public:
    explicit CHeaderCtrlEx(QWidget *parent = nullptr);
    ~CHeaderCtrlEx() override;

    QSize sizeHint() const override;

    std::vector<QString> m_vecTitles;
    quint16 m_wR = 255;
    quint16 m_wG = 255;
    quint16 m_wB = 240;
    int m_nGradient = 3;
    float m_fHeightFactor = 1.3f;
    bool m_bAllChecked = false;
    QColor m_crText = Qt::black;
    QCheckBox *m_pCheckBox = nullptr;  // made at the first paint, objectName "selectAll"
    bool m_bCreateCheckBox = true;

public slots:
    // The page refills the list: answered with 1; the select-all box keeps its state.
    int OnReset();

signals:
    // The select-all box was clicked: 1 check all, 0 uncheck all.
    void checkAll(int wParam);
    // A column divider drag ended.
    void columnResized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // Swallowed, so that a double click on a divider does not size the column.
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void OnCheckBoxClicked();
    void createCheckBoxIfNeeded();

    bool m_bPressed = false;
    bool m_bResizedWhilePressed = false;
};
