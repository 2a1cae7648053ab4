#include "CPellorDlg.h"

void CPellorDlg::OnBnClickedRandom()
{
}

void CPellorDlg::OnBnClickedPresent()
{
}

void CPellorDlg::OnAbsent()
{
}

void CPellorDlg::PlayGoodbyeClip()
{
}
