#include "CPellorDlg.h"

void CPellorDlg::OnBnClickedSettings()
{
}
