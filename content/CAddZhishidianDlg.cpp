#include "CAddZhishidianDlg.h"

#include "ContextMenu.h"
#include "RichEditBox.h"
#include "core/PresenterGeometry.h"

#include "platform/gui/DataExchange.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Screen.h"
#include "platform/gui/WindowPlacement.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>

CAddZhishidianDlg::CAddZhishidianDlg(QWidget *parent)
    : ExchangeDialog(parent)
{
    setObjectName(QStringLiteral("dialog%1").arg(IDD));
    setWindowTitle(QStringLiteral("Dialog"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 574, 206);
    QPushButton *save = tmpl.addButton(this, IDOK_BUTTON, QStringLiteral("保存"), 415, 7, 50, 14);
    save->setDefault(true);
    QPushButton *cancel = tmpl.addButton(this, IDC_CANCEL, QStringLiteral("取消"), 501, 7, 50, 14);
    tmpl.place(new QLabel(QStringLiteral("知识点ID："), this), 90, 9, 42, 14);
    m_editPointID = tmpl.addEdit(this, IDC_POINT_ID, 142, 7, 40, 12);
    auto check = [&](int id, const QString &caption, int x) {
        auto box = new QCheckBox(caption, this);
        box->setObjectName(QStringLiteral("check%1").arg(id));
        tmpl.place(box, x, 10, 32, 10);
        return box;
    };
    m_checkZhongdian = check(IDC_ZHONGDIAN, QStringLiteral("重点"), 220);
    m_checkNandian = check(IDC_NANDIAN, QStringLiteral("难点"), 275);
    m_richEdit = new RichEditBox(this);
    m_richEdit->setObjectName(QStringLiteral("edit%1").arg(IDC_POINT));

    connect(save, &QPushButton::clicked, this, &ExchangeDialog::OnOK);
    connect(cancel, &QPushButton::clicked, this, &CAddZhishidianDlg::OnBnClickedCancel);
    OnInitDialog();
    ContextMenu::watchRightButton(this, [this](const QPoint &at) {
        if (std::unique_ptr<QMenu> menu = CreatePopupMenu())
            menu->exec(at);
    });
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>()) {
        if (child != m_richEdit && !m_richEdit->isAncestorOf(child))
            child->installEventFilter(this);
    }
}

bool CAddZhishidianDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)) {
        OnPaste();
        return true;
    }
    return ExchangeDialog::eventFilter(watched, event);
}

CAddZhishidianDlg::~CAddZhishidianDlg() = default;

void CAddZhishidianDlg::OnInitDialog()
{
    const int buttonHeight = findChild<QPushButton *>(QStringLiteral("button%1").arg(IDOK_BUTTON))->height();
    const PresenterGeometry::EntryLayout layout
        = PresenterGeometry::pointEntry(Screen::size(), Screen::captionHeight(), buttonHeight);
    resize(layout.client);
    WindowPlacement::placeFrameAt(this, layout.window.topLeft());
    m_richEdit->setGeometry(layout.box);
}

void CAddZhishidianDlg::resizeEvent(QResizeEvent *event)
{
    ExchangeDialog::resizeEvent(event);
    // Fitted inside the screen with its frame, the dialog is narrower than the screen: the
    // box spans what it has.
    m_richEdit->resize(width(), m_richEdit->height());
}

void CAddZhishidianDlg::DoDataExchange(DataExchange &dx)
{
    dx.number(m_editPointID, m_nPointID);
    dx.range(m_editPointID, m_nPointID, kMinNumber, kMaxNumber);
    if (dx.failed())
        return;
    if (dx.saving()) {
        m_bZhongdian = m_checkZhongdian->isChecked();
        m_bNandian = m_checkNandian->isChecked();
    } else {
        m_checkZhongdian->setChecked(m_bZhongdian);
        m_checkNandian->setChecked(m_bNandian);
    }
    dx.text(m_richEdit, m_strPoint);
}

std::unique_ptr<QMenu> CAddZhishidianDlg::CreatePopupMenu()
{
    if (focusWidget() != m_richEdit)
        return nullptr;
    auto menu = std::make_unique<QMenu>(this);
    auto run = [this](int id) { OnCommand(id); };
    ContextMenu::addCommand(menu.get(), QStringLiteral("复制"), ID_COPY, this, run);
    ContextMenu::addCommand(menu.get(), QStringLiteral("剪切"), ID_CUT, this, run);
    ContextMenu::addCommand(menu.get(), QStringLiteral("粘贴"), ID_PASTE, this, run);
    return menu;
}

void CAddZhishidianDlg::OnCommand(int id)
{
    switch (id) {
    case ID_COPY:
        OnCopy();
        break;
    case ID_CUT:
        OnCut();
        break;
    case ID_PASTE:
        OnPaste();
        break;
    default:
        break;
    }
}

// The same as Esc and the close box: nothing entered is kept.
void CAddZhishidianDlg::OnBnClickedCancel()
{
    reject();
}

void CAddZhishidianDlg::OnCopy()
{
    m_richEdit->copy();
}

void CAddZhishidianDlg::OnCut()
{
    m_richEdit->cut();
}

void CAddZhishidianDlg::OnPaste()
{
    m_richEdit->paste();
}
