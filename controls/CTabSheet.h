#pragma once

#include <QPointer>
#include <QTabWidget>
#include <array>

// What the tab sheet asks of a page when it creates the pages: build its controls and load its
// data. Pages are initialised in the order they were added.
class CTabPage
{
public:
    virtual ~CTabPage() = default;
    virtual bool OnInitDialog() = 0;
};

// Tab control hosting up to sixteen pages that belong to the owner. The owner adds its pages,
// creates them once, and hears of every change of tab made by the user (mouse or keyboard)
// through selChange, after the page of the new tab is shown. Changes made by the program
// (CreatePages, SelectSecondPage) send no notice.
class CTabSheet : public QTabWidget
{
    Q_OBJECT

public:
    static constexpr int kMaxPages = 16;

    explicit CTabSheet(QWidget *parent = nullptr);
    ~CTabSheet() override;

    // Ignored once sixteen pages are there, or for a null page.
    void AddPage(const QString &title, QWidget *page, int templateID);
    // Makes every page a tab in the order added, initialising each (CTabPage), and shows the
    // first. Runs once; without pages it does nothing.
    void CreatePages();
    // Shows the first page and hides the others; the tab widget gives each page the page area.
    void LayoutPages();
    // Switches to page 1; returns the page that was current, -1 with fewer than two pages.
    int SelectSecondPage(int unused = 0);

    int GetCurSel() const { return currentIndex(); }

    std::array<QString, kMaxPages> m_lpszTitles;
    std::array<int, kMaxPages> m_nTemplateIDs{};
    std::array<QWidget *, kMaxPages> m_pPages{};
    int m_nNumOfPages = 0;
    int m_nCurrentPage = 0;

signals:
    // The user changed the tab; `tab` is the new current one, whose page is already shown.
    void selChange(int tab);

private:
    void OnCurrentChanged(int index);
    void selectByProgram(int index);

    std::array<QPointer<QWidget>, kMaxPages> m_guards;
    std::array<QPointer<QWidget>, kMaxPages> m_homes;
    int m_nCreatedPages = 0;
    bool m_bSelectingByProgram = false;
};
