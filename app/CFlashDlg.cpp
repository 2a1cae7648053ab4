#include "CFlashDlg.h"

#include "application/CPellorApp.h"

#include "platform/base/ProgramFolder.h"
#include "platform/base/RandomSource.h"
#include "platform/gui/ClipPlayer.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/WindowPlacement.h"

#include <QFileInfo>
#include <QPainter>
#include <QResizeEvent>

namespace {
int g_closeDelayOverride = -1;
}

CFlashDlg::CFlashDlg(const FlashClipSpec &spec, QWidget *parent)
    : QDialog(parent)
    , m_spec(spec)
{
    setObjectName(QStringLiteral("flash%1").arg(spec.templateId));
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    if (spec.clickThrough)
        flags |= Qt::WindowTransparentForInput;
    setWindowFlags(flags);
    setAttribute(Qt::WA_TranslucentBackground);
    DialogTemplate(this, QStringLiteral("MS Shell Dlg"), 8, spec.width, spec.height);
    WindowPlacement::keepOnScreen(this);

    m_closeTimer.setObjectName(QStringLiteral("closeTimer"));
    m_closeTimer.setSingleShot(true);
    connect(&m_closeTimer, &QTimer::timeout, this, [this] { OnFlashTimer(kCloseTimer); });
}

CFlashDlg::~CFlashDlg() = default;

QString CFlashDlg::clipPath(const QString &programFolder, const QString &folder, int n)
{
    return ProgramFolder::join(ProgramFolder::join(programFolder, folder), QStringLiteral("%1.swf").arg(n));
}

void CFlashDlg::setCloseDelayOverride(int ms)
{
    g_closeDelayOverride = ms;
}

void CFlashDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
}

bool CFlashDlg::OnInitDialog()
{
    const QString appDir = theApp().programFolder();
    RandomSource::seedFromClock();
    m_nClip = RandomSource::oneTo(m_spec.clipCount);
    m_strClip = clipPath(appDir, m_spec.folder, m_nClip);
    if (m_spec.testClipFile && !QFileInfo::exists(m_strClip)) {
        closeNow();
        return true;
    }

    m_flash = new CShockwaveflash1(this);
    m_flash->setColorKey(QColor(0, 0, 255));
    connect(m_flash, &CShockwaveflash1::ReadyStateChange, this, &CFlashDlg::OnFlashReadyStateChange);
    // Nothing reports the end of a clip that cannot be decoded: close instead of waiting.
    connect(m_flash, &CShockwaveflash1::loadFailed, this, &CFlashDlg::closeNow);
    m_flash->Create(QStringLiteral("player"), rect(), this, m_spec.controlId);
    m_flash->LoadMovie(0, m_strClip);
    m_flash->SetBackgroundColor(kColorKey);
    m_flash->Play();
    return true;
}

void CFlashDlg::OnFlashReadyStateChange(int newState)
{
    if (newState != CShockwaveflash1::Complete)
        return;
    m_closeTimer.start(g_closeDelayOverride >= 0 ? g_closeDelayOverride : m_spec.closeDelayMs);
}

void CFlashDlg::OnFlashTimer(int nIDEvent)
{
    if (nIDEvent == kCloseTimer)
        closeNow();
}

void CFlashDlg::closeNow()
{
    m_closeTimer.stop();
    // Posted, as a close request is, so that it also ends a modal run that has not begun yet.
    QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}

void CFlashDlg::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    // Fitted to a screen smaller than its template, the window keeps the clip whole in it.
    if (m_flash)
        m_flash->setGeometry(rect());
}

void CFlashDlg::paintEvent(QPaintEvent *)
{
    // The colour key: everything but the animation shows what lies behind the window.
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
}
