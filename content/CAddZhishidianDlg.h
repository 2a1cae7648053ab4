#pragma once

#include "platform/gui/ExchangeDialog.h"

#include <functional>
#include <memory>

class QCheckBox;
class QLineEdit;
class QMenu;
class RichEditBox;

// The entry of one knowledge point: its number (1 to 100), whether it is a key or a
// difficult point, and its text in a box as wide as the screen. "保存" keeps what was
// entered; "取消", Esc and the close box keep nothing. Ctrl+V pastes into the text box
// wherever the keyboard focus is.
class CAddZhishidianDlg : public ExchangeDialog
{
    Q_OBJECT

public:
    enum ControlId {
        IDD = 165,
        IDOK_BUTTON = 1,
        IDC_CANCEL = 1061,
        IDC_POINT_ID = 1000,
        IDC_ZHONGDIAN = 1036,
        IDC_NANDIAN = 1037,
        IDC_POINT = 1059,
    };
    enum Command { ID_CUT = 118, ID_COPY = 119, ID_PASTE = 120 };
    static constexpr int kMinNumber = 1;
    static constexpr int kMaxNumber = 100;

    explicit CAddZhishidianDlg(QWidget *parent = nullptr);
    ~CAddZhishidianDlg() override;

    // The menu of a right-button press: "复制", "剪切", "粘贴" while the text box has the
    // keyboard focus, otherwise none.
    std::unique_ptr<QMenu> CreatePopupMenu();

    void OnBnClickedCancel();
    void OnCopy();
    void OnCut();
    void OnPaste();

    int m_nPointID = 0;
    bool m_bZhongdian = false;
    bool m_bNandian = false;
    QString m_strPoint;
    RichEditBox *m_richEdit = nullptr;

protected:
    void DoDataExchange(DataExchange &dx) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OnInitDialog();
    void OnCommand(int id);

    QLineEdit *m_editPointID = nullptr;
    QCheckBox *m_checkZhongdian = nullptr;
    QCheckBox *m_checkNandian = nullptr;
};
