#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QLineEdit;
class QPushButton;
class QWidget;

// Lays out a dialog from its template: sizes and control rectangles are given in dialog
// units and converted with the dialog font's base units (the average width of A-Z a-z,
// and the line height), so a window keeps the proportions it was designed with. A window
// too large for its screen is laid out at a smaller scale, its font with it, and so are the
// pages it holds.
class DialogTemplate
{
public:
    // Applies the font to the dialog and sizes it to width x height dialog units, scaled
    // down to fit its screen when it is a window.
    DialogTemplate(QWidget *dialog, const QString &fontFamily, int pointSize, int width, int height);

    // Base units without a dialog, e.g. for tests.
    explicit DialogTemplate(const QFont &font);

    const QFont &font() const { return m_font; }
    int baseUnitX() const { return m_baseX; }
    int baseUnitY() const { return m_baseY; }

    int toPixelsX(int dialogUnits) const;
    int toPixelsY(int dialogUnits) const;
    QRect toPixels(int x, int y, int width, int height) const;

    // Gives the control its rectangle; the control keeps its parent.
    void place(QWidget *control, int x, int y, int width, int height) const;

    // A line edit "edit<id>" and a push button "button<id>" (never the automatic default)
    // of the dialog, placed at their template rectangles.
    QLineEdit *addEdit(QWidget *dialog, int id, int x, int y, int width, int height) const;
    QPushButton *addButton(QWidget *dialog, int id, const QString &caption, int x, int y, int width,
                           int height) const;

    // Maps the template font names ("宋体", "黑体", "新宋体", "MS Shell Dlg") onto installed
    // families. Called once at start-up; safe to call again.
    static void installFontSubstitutions();

    // A font for a template font name and point size.
    static QFont templateFont(const QString &family, int pointSize);

    // The family a template font name is drawn with: the name itself when it is installed,
    // otherwise the first of its substitutes that is. Fonts built on it skip Qt's search of
    // the system's fonts for a name it does not have, a search made again for every size,
    // weight and script asked of that name.
    static QString installedFamily(const QString &family);

private:
    void computeBaseUnits();

    QFont m_font;
    int m_baseX = 1;
    int m_baseY = 1;
    double m_scale = 1.0;
};
