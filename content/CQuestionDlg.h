#pragma once

#include "platform/base/Database.h"

#include <QDialog>

class CKemuPage;
class CKeshiPage;
class CKeshiWentiDlg;
class CKeshiZhishidianPage;
class CTabSheet;

// "问题": the question browser, a modeless companion of the main window. Its four pages
// keep the subjects, lessons, knowledge points and questions over the content database,
// and share the current subject, lesson and point through the application object.
// Created on first use, hidden when closed and shown again as it was.
class CQuestionDlg : public QDialog
{
    Q_OBJECT

public:
    enum ControlId { IDD = 158, IDC_TAB = 1037 };

    explicit CQuestionDlg(QWidget *parent = nullptr);
    ~CQuestionDlg() override;

    // First opening: the content connection, then the window at the screen's top-left
    // corner with its pages created and loaded.
    void ShowQuestionDlg(QWidget *pOwner);
    // Every later opening shows the window as it was hidden, without a reload. Only when
    // the connection could not be opened before, or its file was replaced or deleted since,
    // is the file opened again, and the pages load on it.
    void ShowAgain();
    // After an opening that failed, each change of tab and each action that needs the
    // database tries again, saying once why it still cannot; on success the pages load.
    // True with the window's connection in place.
    bool EnsureConnection();
    bool isCreated() const { return m_bCreated; }

    void InitPages();
    void OnTcnSelchangeTab(int tab);
    void HideOnClose();

    DatabaseConnection m_pConnection;
    QWidget *m_pOwner = nullptr;
    CTabSheet *m_tabSheet = nullptr;
    CKemuPage *m_pageKemu = nullptr;
    CKeshiPage *m_pageKeshi = nullptr;
    CKeshiWentiDlg *m_pageWenti = nullptr;
    CKeshiZhishidianPage *m_pageZhishidian = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;
    void accept() override;

private:
    // The published connection, or a newly opened one that is then published. False after
    // a reported failure.
    bool OpenConnection();
    void GiveConnectionToPages();
    void ReloadPages();

    bool m_bCreated = false;
};
