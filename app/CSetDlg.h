#pragma once

#include "platform/gui/DialogTemplate.h"
#include "platform/gui/ExchangeDialog.h"

#include <QBrush>

#include <functional>

struct RollCallSettings;
struct SettingRange;
class DataExchange;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "设置": the roll-call settings. The caller fills the fields, runs the dialog and takes
// them back after OK. A chosen picture is announced at once, for a live preview.
class CSetDlg : public ExchangeDialog
{
    Q_OBJECT

public:
    static constexpr int IDD = 148;

    enum ControlId {
        IDC_BASIC_SCORE = 1000,
        IDC_WRONG_SCORE = 1001,
        IDC_RIGHT_SCORE = 1002,
        IDC_QUITE_RIGHT_SCORE = 1004,
        IDC_NUM_OF_CLASS = 1005,
        IDC_BACK_BRUSH = 1006,
        IDC_JIGU = 1011,
        IDC_VOICE_SOUND = 1031,
        IDC_VOICE_JIGU = 1032,
        IDC_VOICE_NONE = 1033,
        IDC_SHOW_DONGHUA = 1036,
        IDC_SELECT_CLASS = 1037,
        IDC_SHOW_SCORE = 1038,
        IDC_BROWSE = 3,
        IDC_CANCEL = 2,
        IDC_OK = 1,
    };

    static constexpr int kBackRed = 199;
    static constexpr int kBackGreen = 237;
    static constexpr int kBackBlue = 204;

    // The settings a run takes back after OK: the main window's run takes all but the score
    // display, the tool bar's only its three switches. The others stand as they are in
    // effect, greyed, and are never refused.
    enum class Taken { RollCall, ToolBarSwitches };

    explicit CSetDlg(QWidget *parent = nullptr);
    ~CSetDlg() override;

    void setTaken(Taken taken);

    // The fields from the settings in effect; the score display keeps its own value.
    void FillFrom(const RollCallSettings &settings);
    // The fields into the settings, each score as whole points truncated toward zero. The
    // picture is always taken; true when any other setting changed (a score counts as
    // changed when its field differs from the points it had, so 2.5 changes a 2).
    bool TakeInto(RollCallSettings &settings) const;

    QString m_strBackBrush;
    int m_nNumOfClass = 0;
    float m_fWrongScore = 0.0f;
    float m_fBasicScore = 0.0f;
    float m_fRightScore = 0.0f;
    float m_fQuiteRightScore = 0.0f;
    int m_nSelectClass = 0;
    int m_nShowDonghua = 1;
    QCheckBox *m_checkDonghua = nullptr;
    QBrush m_brushBack;
    int m_nVoice = 0;
    float m_fZhuDongFen = 0.0f;
    int m_nNumOfJiGu = 0;
    QLineEdit *m_editJigu = nullptr;
    QCheckBox *m_checkSelectClass = nullptr;
    int m_nShowScore = 1;

    // "。。。": choose the background picture.
    void OnBnClickedBrowsePicture();

signals:
    // A picture chosen, before the dialog is closed.
    void pictureChosen(const QString &path);

protected:
    void DoDataExchange(DataExchange &dx) override;
    bool OnInitDialog();
    void OnCtlColor();
    void accept() override;
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    QLineEdit *addEdit(int id, int x, int y, int w, int h);
    QCheckBox *addCheck(int id, int x, int y);
    QRadioButton *addRadio(int id, int x, int y);
    QPushButton *addButton(int id, const QString &caption, int x, int y);
    void addLabel(const QString &text, int x, int y, int w, int h);
    void exchangeRadio(DataExchange &dx, int &value);
    void exchangeCheck(DataExchange &dx, QCheckBox *box, int &value);
    // Refuses a field outside its setting's range, naming the field and the range.
    void checkRange(DataExchange &dx, QLineEdit *field, double value, const SettingRange &range,
                    const QString &name);

    DialogTemplate m_template;
    QLineEdit *m_editBasicScore = nullptr;
    QLineEdit *m_editWrongScore = nullptr;
    QLineEdit *m_editRightScore = nullptr;
    QLineEdit *m_editQuiteRightScore = nullptr;
    QLineEdit *m_editNumOfClass = nullptr;
    QLineEdit *m_editBackBrush = nullptr;
    QCheckBox *m_checkShowScore = nullptr;
    QPushButton *m_btnBrowse = nullptr;
    QButtonGroup *m_groupVoice = nullptr;
};
