#include "DialogTemplate.h"

#include "WindowPlacement.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <cmath>

namespace {

// The scale a window's template was laid out at, for the pages it holds.
const char kScaleProperty[] = "templateScale";

} // namespace

DialogTemplate::DialogTemplate(QWidget *dialog, const QString &fontFamily, int pointSize, int width,
                               int height)
    : m_font(templateFont(installedFamily(fontFamily), pointSize))
{
    computeBaseUnits();
    // A window larger than its screen is laid out smaller, text and all; a page takes the
    // scale of the window it is in.
    if (dialog->isWindow()) {
        m_scale = WindowPlacement::templateScale(dialog, QSize(toPixelsX(width), toPixelsY(height)));
        dialog->setProperty(kScaleProperty, m_scale);
    } else {
        m_scale = dialog->window()->property(kScaleProperty).toDouble();
        if (m_scale <= 0.0)
            m_scale = 1.0;
    }
    if (m_scale < 1.0 && pointSize > 0)
        m_font.setPointSizeF(pointSize * m_scale);
    dialog->setFont(m_font);
    dialog->resize(toPixelsX(width), toPixelsY(height));
}

DialogTemplate::DialogTemplate(const QFont &font)
    : m_font(font)
{
    computeBaseUnits();
}

void DialogTemplate::computeBaseUnits()
{
    const QFontMetrics metrics(m_font);
    const int alphabetWidth = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = qMax(1, (alphabetWidth / 26 + 1) / 2);
    m_baseY = qMax(1, metrics.height());
}

int DialogTemplate::toPixelsX(int dialogUnits) const
{
    return static_cast<int>(std::floor(dialogUnits * m_baseX * m_scale / 4.0 + 0.5));
}

int DialogTemplate::toPixelsY(int dialogUnits) const
{
    return static_cast<int>(std::floor(dialogUnits * m_baseY * m_scale / 8.0 + 0.5));
}

QRect DialogTemplate::toPixels(int x, int y, int width, int height) const
{
    const int left = toPixelsX(x);
    const int top = toPixelsY(y);
    return QRect(left, top, toPixelsX(x + width) - left, toPixelsY(y + height) - top);
}

void DialogTemplate::place(QWidget *control, int x, int y, int width, int height) const
{
    control->setGeometry(toPixels(x, y, width, height));
}

QLineEdit *DialogTemplate::addEdit(QWidget *dialog, int id, int x, int y, int width, int height) const
{
    auto edit = new QLineEdit(dialog);
    edit->setObjectName(QStringLiteral("edit%1").arg(id));
    place(edit, x, y, width, height);
    return edit;
}

QPushButton *DialogTemplate::addButton(QWidget *dialog, int id, const QString &caption, int x, int y, int width,
                                       int height) const
{
    auto button = new QPushButton(caption, dialog);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    button->setAutoDefault(false);
    place(button, x, y, width, height);
    return button;
}

namespace {

// Template font names and the installed families they are drawn with, as far as asked.
// User-interface thread only.
QHash<QString, QString> &installedFamilies()
{
    static QHash<QString, QString> families;
    return families;
}

} // namespace

QString DialogTemplate::installedFamily(const QString &family)
{
    QHash<QString, QString> &known = installedFamilies();
    const auto found = known.constFind(family);
    if (found != known.constEnd())
        return *found;
    const QStringList installed = QFontDatabase::families();
    QString drawn = family;
    if (!installed.contains(family, Qt::CaseInsensitive)) {
        for (const QString &substitute : QFont::substitutes(family)) {
            if (installed.contains(substitute, Qt::CaseInsensitive)) {
                drawn = substitute;
                break;
            }
        }
    }
    known.insert(family, drawn);
    return drawn;
}

void DialogTemplate::installFontSubstitutions()
{
    installedFamilies().clear();
    const QStringList cjkSans = {QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
                                 QStringLiteral("Noto Sans SC"), QStringLiteral("Microsoft YaHei"),
                                 QStringLiteral("SimHei"), QStringLiteral("DejaVu Sans")};
    const QStringList cjkSerif = {QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                                  QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"),
                                  QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
                                  QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("宋体"), cjkSerif);
    QFont::insertSubstitutions(QStringLiteral("新宋体"), cjkSerif);
    QFont::insertSubstitutions(QStringLiteral("黑体"), cjkSans);
    QFont::insertSubstitutions(QStringLiteral("MS Shell Dlg"), cjkSans);
    QFont::insertSubstitutions(QStringLiteral("MS Shell Dlg 2"), cjkSans);
}

QFont DialogTemplate::templateFont(const QString &family, int pointSize)
{
    QFont font(family);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    return font;
}
