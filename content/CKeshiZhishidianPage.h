#pragma once

#include "ContentPage.h"

// "本课知识点": the knowledge points of the current lesson. The page registers itself in
// the application object, where the questions page and the presenter reach it.
class CKeshiZhishidianPage : public ContentPage
{
    Q_OBJECT

public:
    enum ControlId { IDD = 164 };

    explicit CKeshiZhishidianPage(QWidget *parent = nullptr);
    ~CKeshiZhishidianPage() override;

    bool OnInitDialog() override;
    void LoadZhishidianList();

    int m_nLoadCount = 0;
};
